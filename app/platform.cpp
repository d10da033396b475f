#include "app/platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSoundEffect>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

#include <algorithm>
#include <limits>

static void initNumboloResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace numbolo {

// ---- Message boxes -----------------------------------------------------------------------

MessageAnswer QtMessageBoxes::show(const Message &message)
{
    QMessageBox box;
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
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
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

QString soundResourceName(Sound sound)
{
    return sound == Sound::Hit ? QStringLiteral("MYSOUND") : QStringLiteral("KOTA");
}

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer()
{
    qDeleteAll(m_effects);
}

QSoundEffect *QtSoundPlayer::effect(Sound sound)
{
    QSoundEffect *&effect = m_effects[int(sound)];
    if (effect == nullptr) {
        effect = new QSoundEffect;
        effect->setSource(QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(soundResourceName(sound))));
    }
    return effect;
}

void QtSoundPlayer::play(Sound sound)
{
    // One sound at a time: a new sound cuts off the one still playing. stop() and play() only
    // post requests to the audio backend, so a missing device never blocks the click.
    for (QSoundEffect *other : std::as_const(m_effects))
        other->stop();
    effect(sound)->play();
}

// ---- Settings location and font folders ---------------------------------------------------

QString UserSettingsLocation::iniPath() const
{
    const QString app = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(app + QLatin1Char('/') + app + QStringLiteral(".ini"));
}

QString UserFontFolders::systemFontFolder() const
{
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(qEnvironmentVariable("SystemRoot")) + QStringLiteral("/Fonts");
#else
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("fonts"));
#endif
}

QStringList UserFontFolders::programFolders() const
{
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin, QDir(bin).filePath(QStringLiteral("../share/numbolo")),
            QDir(bin).filePath(QStringLiteral("../Resources"))};
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

RealServices::RealServices() : m_sound(std::make_unique<QtSoundPlayer>()) {}
RealServices::~RealServices() = default;

Services RealServices::services()
{
    return Services{m_messages, *m_sound, m_settings, m_fonts, m_random, m_clock};
}

void setupApplication()
{
    initNumboloResources();

    // The design's font names, mapped to freely licensed fonts with Greek letters where the
    // named font is not installed. "DS-Digital" is the shipped display font.
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"), {QStringLiteral("Andika"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Monotype Corsiva"), {QStringLiteral("Z003"), QStringLiteral("URW Chancery L"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("System"), {QStringLiteral("DejaVu Sans")});

    // Qt's own dialog texts in Greek, whatever the user's locale.
    if (auto *app = QCoreApplication::instance()) {
        auto *translator = new QTranslator(app);
        if (translator->load(QStringLiteral("qtbase_el"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace numbolo
