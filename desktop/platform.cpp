#include "services/services.h"

#include "game/announce.h"
#include "controls/controls.h"
#include "controls/qtgreek.h"
#include "controls/readablebox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibrary>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QFile>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

#include <algorithm>
#include <limits>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#endif

static void initNumboloResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace numbolo {

// ---- Message boxes -----------------------------------------------------------------------

void QtMessageBoxes::setOwner(QWidget *window)
{
    m_owner = window;
}

MessageAnswer QtMessageBoxes::show(const Message &message)
{
    // Over the main window, so the box opens centred on it.
    QMessageBox box(m_owner.data());
    box.setWindowTitle(message.title);
    box.setText(message.text);
    switch (message.icon) {
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    QPushButton *yes = nullptr;
    QPushButton *no = nullptr;
    QPushButton *ok = nullptr;
    if (message.buttons == MessageButtons::YesNo) {
        yes = box.addButton(QStringLiteral("Ναι"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Όχι"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    } else {
        ok = box.addButton(QStringLiteral("Εντάξει"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }
    box.exec();
    const auto *clicked = box.clickedButton();
    if (clicked == nullptr)
        return MessageAnswer::Dismissed;
    if (clicked == yes)
        return MessageAnswer::Yes;
    if (clicked == no)
        return MessageAnswer::No;
    return MessageAnswer::Ok;
}

// ---- Sound -------------------------------------------------------------------------------

ModuleSoundPlayer::ModuleSoundPlayer(QStringList folders) : m_folders(std::move(folders)) {}

ModuleSoundPlayer::~ModuleSoundPlayer() = default;

QStringList ModuleSoundPlayer::defaultFolders()
{
    const QDir bin(QCoreApplication::applicationDirPath());
    return {bin.path(), bin.filePath(QStringLiteral("../" NUMBOLO_MODULE_DIR)),
            bin.filePath(QStringLiteral("../lib/numbolo"))};
}

void ModuleSoundPlayer::play(Sound sound)
{
    if (!m_looked) {
        m_looked = true;
        using Create = SoundPlayer *(*)();
        for (const QString &folder : std::as_const(m_folders)) {
            // The library stays loaded until the program ends: the player's code lives in it.
            QLibrary module(QDir(folder).filePath(QStringLiteral("numbolo_sound")));
            if (!module.load())
                continue;
            if (const auto create = reinterpret_cast<Create>(module.resolve("numbolo_create_sound_player"))) {
                m_player.reset(create());
                break;
            }
        }
    }
    if (m_player)
        m_player->play(sound);
}

// ---- History of play ----------------------------------------------------------------------

QFunctionPointer moduleFunction(const QStringList &folders, const QString &name, const char *symbol)
{
    for (const QString &folder : folders) {
        // The library stays loaded until the program ends: the objects it makes live in it.
        QLibrary module(QDir(folder).filePath(name));
        if (!module.load())
            continue;
        if (const QFunctionPointer function = module.resolve(symbol))
            return function;
    }
    return nullptr;
}

QString defaultHistoryPath()
{
    const QString app = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(app + QStringLiteral("/history.sqlite"));
}

ModuleHistoryRecorder::ModuleHistoryRecorder(QStringList folders) : m_folders(std::move(folders)) {}

ModuleHistoryRecorder::~ModuleHistoryRecorder() = default;

HistoryRecorder *ModuleHistoryRecorder::recorder()
{
    if (!m_looked) {
        m_looked = true;
        using Create = HistoryRecorder *(*)(const QString &path);
        const QStringList folders = m_folders.isEmpty() ? ModuleSoundPlayer::defaultFolders() : m_folders;
        if (const auto create = reinterpret_cast<Create>(
                moduleFunction(folders, QStringLiteral("numbolo_history"), "numbolo_create_history_recorder")))
            m_recorder.reset(create(defaultHistoryPath()));
    }
    return m_recorder.get();
}

void ModuleHistoryRecorder::gameStarted(const GameFacts &game)
{
    if (HistoryRecorder *r = recorder())
        r->gameStarted(game);
}

void ModuleHistoryRecorder::exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise)
{
    if (HistoryRecorder *r = recorder())
        r->exerciseEnded(game, exercise);
}

void ModuleHistoryRecorder::gameEnded(GameEnd end, int percentage)
{
    if (HistoryRecorder *r = recorder())
        r->gameEnded(end, percentage);
}

// ---- Settings location and font folders ---------------------------------------------------

QString UserSettingsLocation::iniPath() const
{
    const QString app = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(app + QLatin1Char('/') + app + QStringLiteral(".ini"));
}

#ifdef Q_OS_UNIX
namespace {
// fsync() failed because of the disk, not because this kind of file cannot be flushed.
bool diskFailed()
{
    return errno != EINVAL && errno != ENOTSUP && errno != EBADF && errno != EROFS;
}
} // namespace
#endif

bool SettingsLocation::flushFile(QFileDevice &file) const
{
#if defined(Q_OS_UNIX)
    int result;
    do
        result = ::fsync(file.handle());
    while (result != 0 && errno == EINTR);
    return result == 0 || !diskFailed();
#elif defined(Q_OS_WIN)
    return _commit(file.handle()) == 0;
#else
    Q_UNUSED(file);
    return true;
#endif
}

bool SettingsLocation::flushFolder(const QString &folder) const
{
#if defined(Q_OS_UNIX)
    // The new name of the file is an entry of its folder: a power cut before the folder reaches
    // the disk could bring the old file back.
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true; // a folder that cannot be opened cannot be flushed either
    int result;
    do
        result = ::fsync(fd);
    while (result != 0 && errno == EINTR);
    const bool flushed = result == 0 || !diskFailed();
    ::close(fd);
    return flushed;
#else
    // Elsewhere a renamed file's folder entry is the file system's business.
    Q_UNUSED(folder);
    return true;
#endif
}

QString UserFontFolders::systemFontFolder() const
{
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(qEnvironmentVariable("SystemRoot")) + QStringLiteral("/Fonts");
#else
    // The user's font folder, created when missing as a desktop creates its per-user folders.
    const QString folder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("fonts"));
    QDir().mkpath(folder);
    return folder;
#endif
}

QStringList UserFontFolders::programFolders() const
{
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin, QDir(bin).filePath(QStringLiteral("../share/numbolo")),
            QDir(bin).filePath(QStringLiteral("../Resources"))};
}

// ---- Requests to end the program ---------------------------------------------------------

#ifdef Q_OS_UNIX
namespace {

constexpr int EndSignals[] = {SIGTERM, SIGHUP, SIGINT};
// Made once and kept until the process ends, like the handlers that write into it.
int signalPipe[2] = {-1, -1};

// Runs inside the signal: write() is safe there, and errno is kept for the code it interrupted.
void onEndSignal(int signal)
{
    const int saved = errno;
    const char byte = char(signal);
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

// Empties the pipe; true when a signal was in it.
bool drainSignals()
{
    char bytes[16];
    bool received = false;
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0)
        received = true;
    return received;
}

} // namespace
#endif

EndRequests::EndRequests(QObject *parent) : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (signalPipe[0] < 0 && ::pipe(signalPipe) == 0) {
        for (const int fd : signalPipe) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
    if (signalPipe[0] >= 0) {
        drainSignals(); // signals that came while no one listened are past
        m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &EndRequests::readSignals);
        struct sigaction action = {};
        action.sa_handler = onEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signal : EndSignals) {
            struct sigaction current = {};
            // Whoever started the program with a signal ignored (nohup) wants it ignored.
            if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler != SIG_IGN)
                ::sigaction(signal, &action, nullptr);
        }
    }
#endif
    if (auto *app = QCoreApplication::instance())
        app->installEventFilter(this);
#if QT_CONFIG(sessionmanager)
    // The desktop session asks its programs to save before it ends (and may then go on).
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) { emit saveRequested(); },
                Qt::DirectConnection);
        connect(app, &QGuiApplication::saveStateRequest, this, [this](QSessionManager &) { emit saveRequested(); },
                Qt::DirectConnection);
    }
#endif
}

EndRequests::~EndRequests() = default;

bool EndRequests::eventFilter(QObject *watched, QEvent *event)
{
    // Qt answers a quit request (the session's end, for one) by closing the windows, which a
    // window waiting for a child's answer refuses: the program ends through its save instead.
    if (event->type() == QEvent::Quit && watched == QCoreApplication::instance()) {
        emit endRequested();
        return true;
    }
    return false;
}

void EndRequests::readSignals()
{
#ifdef Q_OS_UNIX
    if (drainSignals())
        emit endRequested();
#endif
}

// ---- Hand-over to the running copy --------------------------------------------------------

namespace {

QString runtimeSocketPath(const QString &name)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name + QStringLiteral(".socket"));
}

#ifdef Q_OS_UNIX
// A socket address for `path`, or false when the path does not fit in one.
bool socketAddress(const QString &path, sockaddr_un *address)
{
    const QByteArray bytes = QFile::encodeName(path);
    *address = {};
    address->sun_family = AF_UNIX;
    if (bytes.isEmpty() || std::size_t(bytes.size()) >= sizeof address->sun_path)
        return false;
    std::memcpy(address->sun_path, bytes.constData(), std::size_t(bytes.size()));
    return true;
}
#endif

} // namespace

RuntimeSocket::RuntimeSocket(const QString &name, QObject *parent) : QObject(parent), m_path(runtimeSocketPath(name))
{
}

RuntimeSocket::~RuntimeSocket()
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0) {
        delete m_notifier;
        ::close(m_fd);
        ::unlink(QFile::encodeName(m_path).constData());
    }
#endif
}

bool RuntimeSocket::listen()
{
#ifdef Q_OS_UNIX
    sockaddr_un address;
    if (m_fd >= 0 || !socketAddress(m_path, &address))
        return false;
    m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (m_fd < 0)
        return false;
    ::fcntl(m_fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    ::unlink(address.sun_path);
    if (::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(m_fd, 4) != 0) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RuntimeSocket::answer);
    return true;
#else
    return false;
#endif
}

void RuntimeSocket::answer()
{
#ifdef Q_OS_UNIX
    bool any = false;
#ifdef MSG_NOSIGNAL
    constexpr int flags = MSG_NOSIGNAL | MSG_DONTWAIT; // a start that gave up does not raise SIGPIPE
#else
    constexpr int flags = MSG_DONTWAIT;
#endif
    for (int client; (client = ::accept(m_fd, nullptr, nullptr)) >= 0;) {
        // One byte says that this copy heard: the asking start may end.
        [[maybe_unused]] const auto sent = ::send(client, "1", 1, flags);
        ::close(client);
        any = true;
    }
    if (any)
        emit asked();
#endif
}

bool RuntimeSocket::ask(int timeoutMs) const
{
#ifdef Q_OS_UNIX
    sockaddr_un address;
    if (m_fd >= 0 || !socketAddress(m_path, &address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    bool answered = false;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0) {
        pollfd reply{fd, POLLIN, 0};
        char byte = 0;
        answered = ::poll(&reply, 1, timeoutMs) > 0 && ::recv(fd, &byte, 1, 0) == 1 && byte == '1';
    }
    ::close(fd);
    return answered;
#else
    Q_UNUSED(timeoutMs);
    return false;
#endif
}

// ---- Random source -----------------------------------------------------------------------

float SeededRandom::next()
{
    // The top 24 bits of the engine's output, scaled: exactly representable and always below 1.
    return float(m_engine() >> 8) * (1.0f / 16777216.0f);
}

// ---- Clock -------------------------------------------------------------------------------

RealClock::RealClock()
{
    m_elapsed.start();
}

RealClock::~RealClock()
{
    qDeleteAll(m_timers);
}

qint64 RealClock::now() const
{
    return m_elapsed.elapsed();
}

Clock::Id RealClock::callAt(qint64 when, Callback callback)
{
    const Id id = m_nextId++;
    auto *timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer, [this, id, callback = std::move(callback)] {
        if (QTimer *t = m_timers.take(id)) {
            t->deleteLater();
            callback();
        }
    });
    m_timers.insert(id, timer);
    timer->start(int(std::clamp<qint64>(when - now(), 0, std::numeric_limits<int>::max())));
    return id;
}

void RealClock::cancel(Id id)
{
    if (QTimer *timer = m_timers.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
}

void Alarm::at(qint64 when, Clock::Callback callback)
{
    cancel();
    m_id = m_clock.callAt(when, [this, callback = std::move(callback)] {
        m_id = 0;
        callback();
    });
}

void Alarm::cancel()
{
    if (m_id != 0) {
        m_clock.cancel(m_id);
        m_id = 0;
    }
}

// ---- All of them -------------------------------------------------------------------------

RealServices::RealServices() : m_announcer(std::make_unique<AccessibleAnnouncer>(m_clock)) {}
RealServices::~RealServices() = default;

Services RealServices::services()
{
    return Services{m_messages, m_sound, m_settings, m_fonts, m_random, m_clock, *m_announcer, &m_history};
}

void setupApplication()
{
    initNumboloResources();
    installReadableBoxes();

    // The design's font names, mapped to freely licensed fonts with Greek letters where the
    // named font is not installed. "DS-Digital" is the shipped display font.
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"), {QStringLiteral("Andika"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Monotype Corsiva"), {QStringLiteral("Z003"), QStringLiteral("URW Chancery L"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("System"), {QStringLiteral("DejaVu Sans")});

    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance())) {
        // Pictures, labels and the painted buttons act once on a double-click.
        const QString name = QStringLiteral("numbolo-click-bursts");
        if (app->findChild<QObject *>(name, Qt::FindDirectChildrenOnly) == nullptr) {
            auto *bursts = new ClickBursts(app);
            bursts->setObjectName(name);
            app->installEventFilter(bursts);
        }
    }

    // Qt's own dialog texts in Greek, whatever the user's locale.
    if (auto *app = QCoreApplication::instance()) {
        // Debian's Qt 6 translations have no Greek, so the game carries Greek for the texts of
        // Qt's widgets. Translators installed later are asked first: a Greek translation of Qt,
        // where one is installed, wins over these.
        QCoreApplication::installTranslator(new QtGreekTexts(app));
        auto *translator = new QTranslator(app);
        if (translator->load(QStringLiteral("qtbase_el"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace numbolo
