// Closing the main window: the six values stored (all "0" after an ended game), the program
// ended at once from any moment, and a settings file that cannot be written.

#include "app/form1.h"
#include "input/form3.h"
#include "tests/fakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace numbolo;
using namespace numbolo::testing;

namespace {

// Puts a running game on its last exercise and skips it: the game ends.
void endGame(World &world, Form1 &form)
{
    form.Text17->setText(form.Text16->text());
    skipExercise(world, form);
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
}

void TestShutdown::savedAndResumed()
{
    QFETCH(QString, moment);
    QFETCH(QLocale, locale);
    QFETCH(QStringList, saved);
    QFETCH(bool, resumes);
    QLocale::setDefault(locale);
    World world;
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
    QVERIFY(form->close());
    QVERIFY(form->hasEnded());
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.first().first().toInt(), 0);
    QCOMPARE(world.messages.shown.size(), messagesBefore);
    QCOMPARE(world.clock.pending(), std::size_t(0)); // nothing moves any more
    QCOMPARE(storedGameValues(world), saved.isEmpty() ? shown : saved);
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
    QCOMPARE(next->Text15->text(), QStringLiteral("180"));
    QVERIFY(!next->Timer1->isEnabled());
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
    QTest::newRow("settings folder read-only") << "read-only" << true;
#ifdef Q_OS_LINUX
    QTest::newRow("disk full") << "full" << true;
#endif
    QTest::newRow("settings folder is a file") << "folder is a file" << false;
    QTest::newRow("a folder in the settings file's place") << "file is a folder" << false;
}

void TestShutdown::failedWrite()
{
    QFETCH(QString, failure);
    QFETCH(bool, previousFile);
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
    const QByteArray before = fileContents(world.settings.path);
    QCOMPARE(before.isEmpty(), !previousFile);

    auto form = shownWindowWithFont(world); // reading never fails: a missing or odd file reads as empty
    QVERIFY(!form->hasEnded());
    QCOMPARE(form->Text17->text(), previousFile ? QStringLiteral("3") : QStringLiteral("0"));
    world.messages.answers.push_back(MessageAnswer::Yes);
    click(form->Image6); // a change that will not be saved
    world.messages.shown.clear();

    const QString folder = QFileInfo(world.settings.path).absolutePath();
    auto restore = qScopeGuard([&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    if (failure == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(folder).isWritable())
            QSKIP("The folder stays writable for this user (root).");
    }

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
    // The previous file is whole: the next run resumes where the last save left off.
    QCOMPARE(fileContents(world.settings.path), before);
}

QTEST_MAIN(TestShutdown)
#include "tst_shutdown.moc"
