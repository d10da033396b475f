// Closing the main window: the six values stored (all "0" after an ended game), the program
// ended at once from any moment, and a settings file that cannot be written. Every other way
// the program ends or is asked to save (the termination signals, the desktop session) and the
// checkpoints of a game under way go through the same save.

#include "app/rungame.h"
#include "app/setup.h"
#include "game/form1.h"
#include "windows/form3.h"
#include "tests/fakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <QSessionManager>

#include <csignal>
#include <cstdio>
#include <set>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/syscall.h>

// Every fsync() of the game passes here (Qt's own writes use fdatasync()), so a test sees which
// files and folders the save flushed to the disk.
static std::set<std::pair<dev_t, ino_t>> flushedToDisk;
extern "C" int fsync(int fd)
{
    struct stat st = {};
    if (::fstat(fd, &st) == 0)
        flushedToDisk.emplace(st.st_dev, st.st_ino);
    return int(::syscall(SYS_fsync, fd));
}
#endif

using namespace numbolo;
using namespace numbolo::testing;

namespace {

#ifdef Q_OS_LINUX
bool reachedTheDisk(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && flushedToDisk.count({st.st_dev, st.st_ino}) == 1;
}
#endif

// What `run` writes to standard error, which is kept from the test's own output meanwhile.
template <class Run>
QString standardErrorOf(Run run)
{
#ifdef Q_OS_UNIX
    QTemporaryFile file;
    if (!file.open())
        return {};
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(file.handle(), 2);
    run();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    file.seek(0);
    return QString::fromLocal8Bit(file.readAll());
#else
    run();
    return {};
#endif
}

// Puts a running game on its last exercise and skips it: the game ends.
void endGame(World &world, Form1 &form)
{
    form.Text17->setText(form.Text16->text());
    skipExercise(world, form);
}

// A game under way at exercise 3 of 10 with a score of 2.
const std::map<QString, QString> StoredGame{{"Level", "1.5"}, {"score", "2"}, {"maxnums", "100"},
                                            {"cur", "3"},     {"nums", "40"},  {"reps", "10"}};
const QStringList AllZero{"0", "0", "0", "0", "0", "0"};

// The six values of the game above once its exercise is solved and "ΟΚ" is pressed.
QStringList valuesAfterOk()
{
    World world;
    world.shipFont();
    world.installFont();
    world.store(StoredGame);
    auto form = world.start();
    typeEveryTarget(*form);
    click(form->successWindow()->Command1);
    return shownGameValues(*form);
}

} // namespace

class TestShutdown : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void savedAndResumed_data();
    void savedAndResumed();
    void closingEndsTheProgram_data();
    void closingEndsTheProgram();
    void failedWrite_data();
    void failedWrite();
    void checkpoints_data();
    void checkpoints();
    void endings_data();
    void endings();
};

void TestShutdown::initTestCase()
{
    setupApplication();
    QLocale::setDefault(QLocale::c());
    // Closing the game window ends the game, not the test.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void TestShutdown::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestShutdown::savedAndResumed_data()
{
    QTest::addColumn<QString>("moment");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("saved"); // empty: the values as shown
    QTest::addColumn<bool>("resumes");
    const QLocale c = QLocale::c();
    QTest::newRow("no game after a first start") << "first start" << c << QStringList{"", "0", "", "0", "", ""} << false;
    QTest::newRow("running game") << "running" << c << QStringList() << true;
    QTest::newRow("running game, paused countdown") << "paused" << c << QStringList() << true;
    QTest::newRow("running game, Greek decimal comma") << "running" << QLocale(QLocale::Greek, QLocale::Greece)
                                                       << QStringList() << true;
    QTest::newRow("ended game: every value 0") << "ended" << c << QStringList{"0", "0", "0", "0", "0", "0"} << false;
    // A parent's settings, written as the progress window writes them, outlive the game's saves.
    QTest::newRow("running game, a parent's settings") << "running, parents" << c << QStringList() << true;
    QTest::newRow("ended game, a parent's settings") << "ended, parents" << c << QStringList{"0", "0", "0", "0", "0", "0"} << false;
}

void TestShutdown::savedAndResumed()
{
    QFETCH(QString, moment);
    QFETCH(QLocale, locale);
    QFETCH(QStringList, saved);
    QFETCH(bool, resumes);
    QLocale::setDefault(locale);
    World world;
    const ParentSettings parents = moment.endsWith(QLatin1String(", parents")) ? ParentSettings{360, true} : ParentSettings();
    moment = moment.section(u',', 0, 0);
    if (parents != ParentSettings()) {
        QString error;
        QCOMPARE(Parents::write(world.settings, parents, &error), StoredSettings::Saved::Yes);
    }
    auto form = shownWindowWithFont(world);
    if (moment != QLatin1String("first start")) {
        startGame(*form, QStringLiteral("20"), QStringLiteral("500"));
        skipExercise(world, *form); // to exercise 2: a level with a fraction
        form->Text13->setText(QStringLiteral("1"));
    }
    if (moment == QLatin1String("paused")) {
        for (PushButton *key : form->keysWithBackColor(DigitKeyColor))
            if (key->isEnabled() && key != form->Command0) {
                click(key);
                break;
            }
        world.clock.advance(3000);
        click(form->Command19);
    }
    if (moment == QLatin1String("ended"))
        endGame(world, *form);
    const QStringList shown = shownGameValues(*form);
    const std::size_t messagesBefore = world.messages.shown.size();

    QSignalSpy ended(form.get(), &Form1::programEnded);
#ifdef Q_OS_LINUX
    flushedToDisk.clear();
#endif
    QVERIFY(form->close());
    QVERIFY(form->hasEnded());
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.first().first().toInt(), 0);
    QCOMPARE(world.messages.shown.size(), messagesBefore);
    QCOMPARE(world.clock.pending(), std::size_t(0)); // nothing moves any more
    QCOMPARE(storedGameValues(world), saved.isEmpty() ? shown : saved);
    // The id that names the game in the history is kept with a game under way, and only then.
    QCOMPARE(StoredSettings::gameId(world.settings.path).isEmpty(), !resumes);
    // The save counts once the new file and then its folder have been flushed to the disk.
    QCOMPARE(world.settings.flushed.mid(world.settings.flushed.size() - 2),
             (QStringList{world.settings.path, QFileInfo(world.settings.path).absolutePath()}));
#ifdef Q_OS_LINUX
    QVERIFY(reachedTheDisk(world.settings.path));
    QVERIFY(reachedTheDisk(QFileInfo(world.settings.path).absolutePath()));
#endif
    if (saved.isEmpty()) // a fraction is stored exactly as shown
        QVERIFY(shown[0].contains(locale.decimalPoint()));

    // The next start, without the font in the font folder: only a first start installs it.
    QFile::remove(QDir(world.fonts.system).filePath(QStringLiteral("DS-DIGI.TTF")));
    world.messages.shown.clear();
    auto next = world.start();
    QVERIFY(world.messages.shown.empty());
    QVERIFY(!QFile::exists(QDir(world.fonts.system).filePath(QStringLiteral("DS-DIGI.TTF"))));
    QCOMPARE(shownGameValues(*next), storedGameValues(world));
    QCOMPARE(next->Text14->isLocked(), resumes);
    QCOMPARE(next->Text16->isLocked(), resumes);
    QCOMPARE(next->Text2->text().isEmpty(), !resumes);
    QCOMPARE(next->Text15->text(), QString::number(parents.secondsPerExercise));
    QVERIFY(!next->Timer1->isEnabled());
    // The game writes its own group only: nothing for the parent's settings until they set them.
    QCOMPARE(Parents::read(world.settings.path), parents);
    QCOMPARE(QSettings(world.settings.path, QSettings::IniFormat).childGroups().contains(QStringLiteral("Parents")),
             parents != ParentSettings());
}

void TestShutdown::closingEndsTheProgram_data()
{
    QTest::addColumn<QString>("moment");
    QTest::addColumn<QString>("savedCur");
    QTest::newRow("during the results animation") << "animation" << "0";
    QTest::newRow("success window open, then ΟΚ") << "success" << "2";
    QTest::newRow("success window open over the results") << "success, ended" << "0";
    QTest::newRow("time-out message open") << "time-out" << "1";
    QTest::newRow("skip question open, answered yes") << "skip" << "1";
}

void TestShutdown::closingEndsTheProgram()
{
    QFETCH(QString, moment);
    QFETCH(QString, savedCur);
    World world;
    auto form = shownGame(world);
    QSignalSpy ended(form.get(), &Form1::programEnded);
    const auto closeWhileOpen = [&](const Message &) { form->close(); };

    if (moment == QLatin1String("animation")) {
        endGame(world, *form);
        world.messages.shown.clear();
        world.clock.advance(1000);
        QVERIFY(form->resultsAnimationRunning());
        form->close();
    } else if (moment.startsWith(QLatin1String("success"))) {
        if (moment.endsWith(QLatin1String("ended")))
            form->Text17->setText(QStringLiteral("10"));
        typeEveryTarget(*form);
        QVERIFY(form->successWindow() != nullptr);
        if (moment.endsWith(QLatin1String("ended"))) {
            click(form->successWindow()->Command1);
            QVERIFY(form->resultsAnimationRunning());
        } else {
            // The main window is disabled while the success window holds the scored exercise:
            // it does not close, and nothing is stored, so the exercise counts exactly once.
            const QStringList stored = storedGameValues(world);
            QVERIFY(!form->close());
            QVERIFY(!form->hasEnded());
            QVERIFY(form->successWindow() != nullptr);
            QCOMPARE(storedGameValues(world), stored);
            click(form->successWindow()->Command1);
            QCOMPARE(form->Text17->text(), QStringLiteral("2"));
        }
        form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form->successWindow() == nullptr);
    } else if (moment == QLatin1String("time-out")) {
        world.messages.whileOpen = closeWhileOpen;
        form->Command1->setEnabled(true);
        click(form->Command1);
        world.clock.advance(180'000);
    } else {
        world.messages.whileOpen = closeWhileOpen;
        skipExercise(world, *form);
    }

    QVERIFY(form->hasEnded());
    QVERIFY(!form->isVisible());
    QCOMPARE(ended.count(), 1);
    QCOMPARE(world.stored(QStringLiteral("cur")), savedCur);
    if (moment == QLatin1String("success"))
        QCOMPARE(world.stored(QStringLiteral("score")), QStringLiteral("1"));
    // The message that was open when the window closed is the only one; nothing ran after it.
    QCOMPARE(world.messages.shown.size(), std::size_t(moment == QLatin1String("time-out") || moment == QLatin1String("skip") ? 1 : 0));
    const QString display = form->Text1->text();
    world.clock.advance(20'000);
    QCOMPARE(form->Text1->text(), display);
    QCOMPARE(world.clock.pending(), std::size_t(0));
    // A click that still reaches the window does nothing.
    click(form->Image6);
    QCOMPARE(ended.count(), 1);
}

void TestShutdown::failedWrite_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("previousFile");
    QTest::addColumn<bool>("kept"); // the previous file stays as it was
    QTest::newRow("settings folder read-only") << "read-only" << true << true;
#ifdef Q_OS_LINUX
    QTest::newRow("disk full") << "full" << true << true;
#endif
    QTest::newRow("settings folder is a file") << "folder is a file" << false << true;
    QTest::newRow("a folder in the settings file's place") << "file is a folder" << false << true;
    // The new file is in place, but a power cut could still lose it: the save did not count,
    // and the message says that the file is written.
    QTest::newRow("the disk fails to flush the new file") << "file flush" << true << false;
    QTest::newRow("the disk fails to flush the folder") << "folder flush" << true << false;
}

void TestShutdown::failedWrite()
{
    QFETCH(QString, failure);
    QFETCH(bool, previousFile);
    QFETCH(bool, kept);
    World world;
    if (failure == QLatin1String("folder is a file")) {
        QFile blocker(world.dir.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        world.settings.path = world.dir.filePath(QStringLiteral("blocker/Numbolo.ini"));
    }
    if (failure == QLatin1String("file is a folder"))
        QVERIFY(QDir().mkpath(world.settings.path));
    if (previousFile)
        world.store({{"Level", "1.5"}, {"score", "2"}, {"maxnums", "100"}, {"cur", "3"}, {"nums", "40"}, {"reps", "10"}});

    auto form = shownWindowWithFont(world); // reading never fails: a missing or odd file reads as empty
    QVERIFY(!form->hasEnded());
    QCOMPARE(form->Text17->text(), previousFile ? QStringLiteral("3") : QStringLiteral("0"));
    world.messages.answers.push_back(MessageAnswer::Yes);
    click(form->Image6); // a skip, whose checkpoint is saved; or a start that the options refuse
    world.messages.shown.clear();
    form->Text13->setText(QStringLiteral("7")); // a change that will not be saved
    const QByteArray before = fileContents(world.settings.path);
    QCOMPARE(before.isEmpty(), !previousFile);

    const QString folder = QFileInfo(world.settings.path).absolutePath();
    auto restore = qScopeGuard([&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    if (failure == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(folder).isWritable())
            QSKIP("The folder stays writable for this user (root).");
    }
    world.settings.fileFlushFails = failure == QLatin1String("file flush");
    world.settings.folderFlushFails = failure == QLatin1String("folder flush");

    QSignalSpy ended(form.get(), &Form1::programEnded);
#ifdef Q_OS_LINUX
    // A file size limit of a few bytes makes every write of the settings fail, as a full disk
    // would, even for root. Nothing is printed while it is in force.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (failure == QLatin1String("full")) {
        const rlimit tiny{8, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    form->close();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
#else
    form->close();
#endif

    QVERIFY(form->hasEnded());
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.first().first().toInt(), 1);
    QCOMPARE(world.messages.shown.size(), std::size_t(1));
    const Message &shown = world.messages.shown.front();
    QCOMPARE(shown.icon, MessageIcon::Critical);
    QCOMPARE(shown.buttons, MessageButtons::Ok);
    QCOMPARE(shown.title, QStringLiteral("Numbolo"));
    QCOMPARE(shown.text.contains(QStringLiteral("έμεινε όπως ήταν")), kept);
    QCOMPARE(shown.text.contains(QStringLiteral("γράφτηκε στο αρχείο")), !kept);
    if (kept) // the previous file is whole: the next run resumes where the last save left off
        QCOMPARE(fileContents(world.settings.path), before);
    else
        QCOMPARE(storedGameValues(world), shownGameValues(*form));
}

void TestShutdown::checkpoints_data()
{
    QTest::addColumn<QString>("moment");
    QTest::addColumn<QStringList>("saved"); // empty: the values as shown
    QTest::newRow("a game starts") << "started" << QStringList();
    QTest::newRow("an exercise begins after a skip") << "skipped" << QStringList();
    QTest::newRow("an exercise begins after a time-out") << "timed out" << QStringList();
    QTest::newRow("an exercise is solved: stored one exercise on") << "solved" << QStringList();
    QTest::newRow("the last exercise is solved: stored as an ended game") << "last solved" << AllZero;
    QTest::newRow("the game ends") << "ended" << AllZero;
    QTest::newRow("checkpoints that cannot be written are silent") << "unwritable" << QStringList();
    // Regression: the restart waited for the close, so a crash brought the restarted game back.
    QTest::newRow("a restart: stored at once, without the game's id") << "restarted" << QStringList();
}

void TestShutdown::checkpoints()
{
    // A power cut, a crash or kill -9 loses at most the exercise in play: the values reach the
    // disk whenever a game starts, an exercise begins or is solved and a game ends.
    QFETCH(QString, moment);
    QFETCH(QStringList, saved);
    World world;
    if (moment == QLatin1String("unwritable"))
        QVERIFY(QDir().mkpath(world.settings.path));
    auto form = shownGame(world);
    QCOMPARE(form->Text17->text(), QStringLiteral("1"));
    if (moment == QLatin1String("skipped")) {
        skipExercise(world, *form);
    } else if (moment == QLatin1String("timed out")) {
        click(usableDigit(*form));
        world.clock.advance(180'000);
    } else if (moment.endsWith(QLatin1String("solved"))) {
        if (moment.startsWith(QLatin1String("last")))
            form->Text17->setText(QStringLiteral("10"));
        typeEveryTarget(*form);
        QVERIFY(form->successWindow() != nullptr);
    } else if (moment == QLatin1String("ended")) {
        endGame(world, *form);
        QVERIFY(form->resultsAnimationRunning());
    } else if (moment == QLatin1String("restarted")) {
        QVERIFY(!StoredSettings::gameId(world.settings.path).isEmpty());
        world.messages.answers.push_back(MessageAnswer::Yes);
        click(form->Image5);
        QCOMPARE(form->Text17->text(), QStringLiteral("0"));
        QVERIFY(StoredSettings::gameId(world.settings.path).isEmpty());
    } else if (moment == QLatin1String("unwritable")) {
        skipExercise(world, *form);
        QCOMPARE(form->Text17->text(), QStringLiteral("2"));
        QVERIFY(world.messages.shown.size() == 1); // the skip question only
        QVERIFY(QFileInfo(world.settings.path).isDir());
        // The close reports the failed save, once.
        form->close();
        QCOMPARE(world.messages.shown.size(), std::size_t(2));
        QCOMPARE(world.messages.shown.back().icon, MessageIcon::Critical);
        return;
    }
    QVERIFY(!form->hasEnded());
    const QStringList stored = storedGameValues(world);
    if (moment == QLatin1String("solved")) {
        click(form->successWindow()->Command1); // the stored values are those "ΟΚ" makes
        QCOMPARE(form->Text17->text(), QStringLiteral("2"));
    }
    QCOMPARE(stored, saved.isEmpty() ? shownGameValues(*form) : saved);
}

void TestShutdown::endings_data()
{
    QTest::addColumn<QString>("moment");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("saved"); // empty: the values as shown; "after ok": as "ΟΚ" leaves them
    QTest::newRow("closing the window") << "running" << "close" << 0 << QStringList();
    // As a child's profile plays: its services are made once the game is claimed, and end before
    // the claim does. Regression: the lock's heartbeat touched their freed clock at every end.
    QTest::newRow("closing a child's game, whose services end before the lock") << "child's services" << "close" << 0
                                                                                << QStringList();
#ifdef Q_OS_UNIX
    QTest::newRow("SIGTERM (shutdown, logout)") << "running" << "SIGTERM" << 0 << QStringList();
    QTest::newRow("SIGHUP (the terminal closes)") << "running" << "SIGHUP" << 0 << QStringList();
    QTest::newRow("SIGINT (Ctrl+C)") << "running" << "SIGINT" << 0 << QStringList();
    QTest::newRow("SIGTERM after the game ended") << "ended" << "SIGTERM" << 0 << AllZero;
    QTest::newRow("SIGTERM with the success window open: counted once") << "solved" << "SIGTERM" << 0
                                                                       << QStringList{"after ok"};
    QTest::newRow("SIGTERM with the last success window open") << "last solved" << "SIGTERM" << 0 << AllZero;
    // Regression: the message about the failed save waited for an answer, and a logout for it.
    QTest::newRow("a save that fails, by SIGTERM: status 1, said on standard error") << "unwritable" << "SIGTERM" << 1
                                                                                      << QStringList();
    // Started with hang-ups ignored (nohup): they stay ignored, and the window closes later.
    QTest::newRow("SIGHUP ignored from the start") << "running" << "SIGHUP ignored" << 0 << QStringList();
    // The second hang-up comes while the program ends, and again once its window is gone.
    QTest::newRow("two hang-ups at once") << "running" << "SIGHUP twice" << 0 << QStringList();
    QTest::newRow("SIGTERM while the first-start message is open") << "first start" << "SIGTERM" << 0
                                                                    << QStringList{"", "0", "", "0", "", ""};
#endif
    // The session's end reaches Qt as a quit request, which the success window would refuse.
    QTest::newRow("the session ends with the success window open: counted once") << "solved" << "quit" << 0
                                                                                  << QStringList{"after ok"};
    QTest::newRow("the desktop session asks to save, then the window closes") << "running" << "session" << 0
                                                                               << QStringList();
    QTest::newRow("the session's save after the game ended") << "ended" << "session" << 0 << AllZero;
    QTest::newRow("a save that fails, by closing: status 1") << "unwritable" << "close" << 1 << QStringList();
    QTest::newRow("a save that fails as the session ends: status 1, said on standard error")
        << "unwritable" << "quit" << 1 << QStringList();
}

void TestShutdown::endings()
{
    // The program as it runs: every way it ends stores what closing the window stores, and
    // the exit status says whether the progress was saved.
    QFETCH(QString, moment);
    QFETCH(QString, how);
    QFETCH(int, status);
    QFETCH(QStringList, saved);
    if (saved == QStringList{"after ok"})
        saved = valuesAfterOk();
    World world;
    world.shipFont();
    if (moment != QLatin1String("first start"))
        world.installFont();
    if (moment == QLatin1String("unwritable"))
        QVERIFY(QDir().mkpath(world.settings.path));
    else if (moment != QLatin1String("first start"))
        world.store(StoredGame);
#ifdef Q_OS_UNIX
    const bool ignoreHangUps = how == QLatin1String("SIGHUP ignored");
    if (ignoreHangUps)
        std::signal(SIGHUP, SIG_IGN);
    auto hangUps = qScopeGuard([ignoreHangUps] {
        if (ignoreHangUps)
            std::signal(SIGHUP, SIG_DFL);
    });
    if (moment == QLatin1String("first start")) {
        // The signal comes while the message about the font is open, before the window shows.
        world.messages.whileOpen = [&world](const Message &) {
            world.messages.whileOpen = nullptr;
            ::kill(::getpid(), SIGTERM);
            QTest::qWait(50);
        };
    }
#endif
    // As in a fresh program, where closing the last window would end the event loop.
    QGuiApplication::setQuitOnLastWindowClosed(true);
    auto restore = qScopeGuard([] { QGuiApplication::setQuitOnLastWindowClosed(false); });

    QStringList shown;
    QStringList storedOnRequest;
    bool goesOn = false;
    QTimer act;
    act.setSingleShot(true);
    connect(&act, &QTimer::timeout, this, [&] {
        Form1 *form = runningWindow();
        if (form == nullptr)
            return QCoreApplication::exit(99);
        if (moment == QLatin1String("ended")) {
            endGame(world, *form);
            world.messages.shown.clear(); // the skip question
        }
        if (moment.endsWith(QLatin1String("solved"))) {
            if (moment.startsWith(QLatin1String("last")))
                form->Text17->setText(form->Text16->text());
            typeEveryTarget(*form);
        }
        if (how == QLatin1String("session"))
            form->Text13->setText(QStringLiteral("1")); // a change since the last checkpoint
        shown = shownGameValues(*form);
        if (how == QLatin1String("session")) {
            // The session manager's own request, as the desktop session sends it.
            auto *manager = qApp->findChild<QSessionManager *>();
            QVERIFY(manager != nullptr);
            emit qApp->commitDataRequest(*manager);
            storedOnRequest = storedGameValues(world);
            goesOn = !form->hasEnded() && form->isVisible();
            form->close();
        } else if (how == QLatin1String("close")) {
            form->close();
        } else if (how == QLatin1String("quit")) {
            QEvent quit(QEvent::Quit);
            QCoreApplication::sendEvent(qApp, &quit);
        } else {
#ifdef Q_OS_UNIX
            const int signal = how == QLatin1String("SIGTERM") ? SIGTERM : how.startsWith(QLatin1String("SIGHUP")) ? SIGHUP : SIGINT;
            if (how == QLatin1String("SIGHUP twice"))
                connect(form, &Form1::programEnded, form, [] { ::kill(::getpid(), SIGHUP); });
            ::kill(::getpid(), signal);
            if (how == QLatin1String("SIGHUP ignored")) {
                QTest::qWait(50);
                QVERIFY(!form->hasEnded());
                form->close();
            }
#endif
        }
    });
    act.start(0);
    // A request the game ignored would leave it running: that ends the test instead of a hang.
    QTimer hang;
    hang.setSingleShot(true);
    connect(&hang, &QTimer::timeout, this, [] { QCoreApplication::exit(98); });
    hang.start(10'000);
    const QString said = standardErrorOf([&] {
        if (moment != QLatin1String("child's services")) {
            QCOMPARE(runGame(world.services()), status);
            return;
        }
        const int ended = runClaimed(StoredSettings::lockPath(world.settings.path), world.messages, {},
                                     [&world](InstanceLock &instance) {
            // On the heap, so that a touch after its end is caught as one.
            auto clock = std::make_unique<FakeClock>();
            return playGame({world.messages, world.sound, world.settings, world.fonts, world.random, *clock,
                             world.announcer, &world.history},
                            instance);
        });
        QCOMPARE(ended, status);
    });
#ifdef Q_OS_UNIX
    if (how == QLatin1String("SIGHUP twice"))
        ::kill(::getpid(), SIGHUP); // the program is past its end: this must not kill it
#endif

    QCOMPARE(shown.size(), moment == QLatin1String("first start") ? 0 : 6); // no window was shown
    QVERIFY(runningWindow() == nullptr);
    // A failed save is said to the child who closed the window; an end asked for from outside
    // waits on no one, and says it on standard error.
    const bool asked = how != QLatin1String("close");
    QCOMPARE(said.contains(QStringLiteral("Numbolo: Η πρόοδος του παιχνιδιού δεν αποθηκεύτηκε.")), status != 0 && asked);
    if (status != 0) {
        QCOMPARE(world.messages.shown.size(), std::size_t(asked ? 0 : 1));
        QVERIFY(asked || world.messages.shown.front().icon == MessageIcon::Critical);
        return;
    }
    QCOMPARE(world.messages.shown.size(), std::size_t(moment == QLatin1String("first start") ? 1 : 0)); // the font's
    QCOMPARE(storedGameValues(world), saved.isEmpty() ? shown : saved);
    if (how == QLatin1String("session")) {
        QVERIFY(goesOn);
        QCOMPARE(storedOnRequest, saved.isEmpty() ? shown : saved);
    }
}

QTEST_MAIN(TestShutdown)
#include "tst_shutdown.moc"
