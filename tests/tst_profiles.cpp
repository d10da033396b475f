// Children who share a computer account, each with a profile: the names a parent may give, the
// first profile taking over the files played so far, two children's games never crossing, a
// deletion that leaves nothing of the child, who a start plays as, the window that asks who
// plays, and the progress window's choice of child and its "Παιδιά".

#include "app/profilegame.h"
#include "app/profilestart.h"
#include "game/form1.h"
#include "profiles/profilelist.h"
#include "profiles/profilename.h"
#include "progress/childrenprogress.h"
#include "progress/parentsettingsview.h"
#include "progress/progress.h"
#include "settings/settings.h"
#include "store/historystore.h"
#include "tests/fakes.h"
#include "windows/profilechooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

using namespace numbolo;
using namespace numbolo::testing;

namespace {

constexpr QFile::Permissions PrivateFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser
    | QFile::WriteUser | QFile::ExeUser;
constexpr QFile::Permissions PrivateFile = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;

// Every file and folder under `folder`, relative to it, sorted.
QStringList everything(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(folder).relativeFilePath(it.next());
    found.sort();
    return found;
}

// The files under `folder` whose contents or path hold `text`.
QStringList naming(const QString &folder, const QString &text)
{
    QStringList found;
    for (const QString &entry : everything(folder)) {
        const QString path = QDir(folder).filePath(entry);
        if (entry.contains(text) || fileContents(path).contains(text.toUtf8()))
            found << entry;
    }
    return found;
}

Profile made(ProfileList &list, const QString &name, const QString &picture = {})
{
    Profile profile;
    QString error;
    if (!list.create(name, picture, &profile, &error))
        qWarning("%s", qPrintable(error));
    return profile;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QStringList nameList(const std::vector<Profile> &profiles)
{
    QStringList list;
    for (const Profile &profile : profiles)
        list << profile.name;
    return list;
}

// The game of `files` with the world's fakes, loaded and shown.
std::unique_ptr<Form1> startOn(World &world, PlayerFiles &files)
{
    auto form = std::make_unique<Form1>(
        Services{world.messages, world.sound, files, world.fonts, world.random, world.clock, world.announcer, nullptr});
    form->load();
    form->show();
    return form;
}

} // namespace

class TestProfiles : public QObject {
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void takeOver_data();
    void takeOver();
    void neverCross_data();
    void neverCross();
    void deletion_data();
    void deletion();
    void whoPlays_data();
    void whoPlays();
    void chooser_data();
    void chooser();
    void progressChoice_data();
    void progressChoice();
};

void TestProfiles::names_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("error"); // empty: made
    QTest::addColumn<QString>("kept");  // the name as the list keeps it
    const QString empty = QStringLiteral("Γράψε το όνομα του παιδιού.");
    const QString taken = QStringLiteral("Υπάρχει ήδη παιδί με το όνομα «Άννα».");
    QTest::newRow("empty") << "" << empty << "";
    QTest::newRow("only spaces") << " \t \u00a0 " << empty << "";
    QTest::newRow("30 letters") << QString(30, QChar(0x3b1)) << "" << QString(30, QChar(0x3b1));
    QTest::newRow("31 letters") << QString(31, QChar(0x3b1))
                                << "Το όνομα έχει 31 χαρακτήρες: μπορεί να έχει έως 30." << "";
    QTest::newRow("300 letters") << QString(300, QLatin1Char('x'))
                                 << "Το όνομα έχει 300 χαρακτήρες: μπορεί να έχει έως 30." << "";
    // A letter with its accent typed as two characters is one character of the name.
    const QString accented = QStringLiteral("\u03b1\u0301").repeated(30);
    QTest::newRow("30 accented letters, accents apart") << accented << "" << QString(30, QChar(0x3ac));
    QTest::newRow("taken") << "Άννα" << taken << "";
    QTest::newRow("taken, in capitals") << "ΆΝΝΑ" << "Υπάρχει ήδη παιδί με το όνομα «ΆΝΝΑ»." << "";
    QTest::newRow("taken, with spaces around") << "  Άννα  " << taken << "";
    QTest::newRow("taken, its accent typed apart") << "\u0391\u0301ννα" << taken << "";
    QTest::newRow("a line break inside is a space") << "Νίκος\nΠαπάς" << "" << "Νίκος Παπάς";
    QTest::newRow("quotes, slashes and dots are a name") << "../\"Ν\"/..\\'" << "" << "../\"Ν\"/..\\'";
    QTest::newRow("a control character") << "Νί\u0007κος" << "Το όνομα έχει χαρακτήρες που δεν φαίνονται." << "";
}

void TestProfiles::names()
{
    QFETCH(QString, typed);
    QFETCH(QString, error);
    QFETCH(QString, kept);
    World world;
    ProfileList list(world.settings);
    QVERIFY(!made(list, QStringLiteral("Άννα")).id.isEmpty());
    const QStringList before = everything(world.dir.path());

    Profile profile;
    QString said;
    QCOMPARE(list.create(typed, {}, &profile, &said), error.isEmpty());
    QCOMPARE(said, error);
    std::vector<Profile> profiles;
    QVERIFY(list.read(&profiles, &said));
    if (!error.isEmpty()) {
        QCOMPARE(nameList(profiles), QStringList{QStringLiteral("Άννα")});
        QCOMPARE(everything(world.dir.path()), before); // nothing written
        return;
    }
    QCOMPARE(profile.name, kept);
    QVERIFY(ProfileList::find(profiles, kept) != nullptr);
    // The name is data: the only new entries are the profile's folder, named by its id, and its
    // settings, in the profiles' folder.
    const QString folder = QDir(world.dir.path()).relativeFilePath(list.folder());
    QStringList added = everything(world.dir.path());
    for (const QString &entry : before)
        added.removeOne(entry);
    QCOMPARE(added, (QStringList{folder + QLatin1Char('/') + profile.id, folder + QLatin1Char('/') + profile.id
                                                                               + QStringLiteral("/Numbolo.ini")}));
    QVERIFY(!profile.id.contains(kept));
}

void TestProfiles::takeOver_data()
{
    QTest::addColumn<QStringList>("files"); // of the account's one player, before
    QTest::addColumn<QString>("moment");    // "", "game open", "crash": the list said so, the files still there
    QTest::addColumn<bool>("made");
    QTest::newRow("settings, history and pending") << QStringList{"Numbolo.ini", "history.sqlite", "history.sqlite.pending"}
                                                   << "" << true;
    QTest::newRow("the history alone") << QStringList{"history.sqlite"} << "" << true;
    QTest::newRow("the history with the ways remembered beside it")
        << QStringList{"history.sqlite", "history.sqlite.ways", "history.sqlite.ways-journal"} << "" << true;
    QTest::newRow("a damaged settings file kept aside") << QStringList{"Numbolo.ini", "Numbolo.ini.damaged-1"} << ""
                                                        << true;
    QTest::newRow("nothing played yet") << QStringList{} << "" << true;
    // A game open on the account's files would write them after they moved.
    QTest::newRow("the game open") << QStringList{"Numbolo.ini", "history.sqlite"} << "game open" << false;
    QTest::newRow("the game open, nothing played yet") << QStringList{} << "game open" << false;
    QTest::newRow("a crash before the files moved") << QStringList{"Numbolo.ini", "history.sqlite"} << "crash" << true;
}

void TestProfiles::takeOver()
{
    QFETCH(QStringList, files);
    QFETCH(QString, moment);
    QFETCH(bool, made);
    World world;
    const QString home = QFileInfo(world.settings.path).absolutePath();
    for (const QString &file : files)
        writeFile(QDir(home).filePath(file), file.toUtf8() + " of the child who played so far");
    QDir().mkpath(home);
    const QStringList before = everything(world.dir.path());
    ProfileList list(world.settings);
    QLockFile game(StoredSettings::lockPath(world.settings.path));
    if (moment == QLatin1String("game open"))
        QVERIFY(game.tryLock(0));

    Profile profile;
    QString error;
    if (moment == QLatin1String("crash")) {
        // What the list says between its write and the files' move.
        profile = {QStringLiteral("0123456789abcdef"), QStringLiteral("Άννα"), {}};
        writeFile(list.listPath(), R"({"version":1,"profiles":[{"id":"0123456789abcdef","name":"Άννα","state":"takingOver"}]})");
        for (const QString &folder : {list.folder(), QDir(list.folder()).filePath(profile.id)}) {
            QDir().mkpath(folder);
            QFile::setPermissions(folder, PrivateFolder);
        }
        std::vector<Profile> read;
        QVERIFY(list.read(&read, &error));
        QVERIFY(list.finishInterrupted(&error));
    } else {
        QCOMPARE(list.create(QStringLiteral("Άννα"), {}, &profile, &error), made);
    }
    if (!made) {
        QCOMPARE(error, QStringLiteral("Το παιχνίδι είναι ανοιχτό: κλείσε το πρώτα και δοκίμασε ξανά."));
        game.unlock();
        QCOMPARE(everything(world.dir.path()), before);
        return;
    }
    const ProfileFiles child = list.files(profile);
    QCOMPARE(child.profileName(), QStringLiteral("Άννα"));
    for (const QString &file : files) {
        QVERIFY2(!QFile::exists(QDir(home).filePath(file)), qPrintable(file)); // no longer the account's
        const QString moved = QDir(QFileInfo(child.iniPath()).absolutePath()).filePath(file);
        QCOMPARE(fileContents(moved), file.toUtf8() + " of the child who played so far");
        QCOMPARE(QFile::permissions(moved), PrivateFile);
    }
    QCOMPARE(QFile::permissions(list.folder()), PrivateFolder);
    QCOMPARE(QFile::permissions(QFileInfo(child.iniPath()).absolutePath()), PrivateFolder);
    QCOMPARE(QFile::permissions(list.listPath()), PrivateFile);
    QVERIFY(!list.accountHasFiles());
    // The second child takes nothing over, and the first keeps what was moved.
    writeFile(world.settings.path, "written later on the account");
    Profile second;
    QVERIFY(list.create(QStringLiteral("Νίκος"), {}, &second, &error));
    QCOMPARE(fileContents(world.settings.path), QByteArray("written later on the account"));
    QVERIFY(fileContents(list.files(second).iniPath()).isEmpty());
}

void TestProfiles::neverCross_data()
{
    QTest::addColumn<bool>("bothPlay"); // the second child plays a game of their own too
    QTest::newRow("one plays, the other starts afresh") << false;
    QTest::newRow("both play, each resumes their own") << true;
}

void TestProfiles::neverCross()
{
    QFETCH(bool, bothPlay);
    World world;
    world.shipFont();
    world.installFont();
    ProfileList list(world.settings);
    ProfileFiles anna = list.files(made(list, QStringLiteral("Άννα")));
    ProfileFiles nikos = list.files(made(list, QStringLiteral("Νίκος")));
    // Νίκος has 30 minutes an exercise, Άννα 3.
    QSettings(anna.iniPath(), QSettings::IniFormat).setValue(QStringLiteral("Parents/Seconds"), 180);
    QSettings(nikos.iniPath(), QSettings::IniFormat).setValue(QStringLiteral("Parents/Seconds"), 1800);

    QStringList annas;
    {
        auto form = startOn(world, anna);
        QCOMPARE(form->windowTitle().endsWith(QStringLiteral(" — Άννα")), true);
        startGame(*form, QStringLiteral("10"), QStringLiteral("100"));
        skipExercise(world, *form);
        annas = shownGameValues(*form);
        form->close();
    }
    QStringList nikoss;
    {
        auto form = startOn(world, nikos);
        QVERIFY(form->windowTitle().endsWith(QStringLiteral(" — Νίκος")));
        QVERIFY(shownGameValues(*form) != annas); // not Άννα's game
        if (bothPlay) {
            startGame(*form, QStringLiteral("20"), QStringLiteral("1000"));
            nikoss = shownGameValues(*form);
        }
        form->close();
    }
    const auto stored = [](const PlayerFiles &files, const char *key) {
        return QSettings(files.iniPath(), QSettings::IniFormat).value(QString::fromLatin1(key)).toString();
    };
    QCOMPARE(stored(anna, "Parents/Seconds"), QStringLiteral("180"));
    QCOMPARE(stored(nikos, "Parents/Seconds"), QStringLiteral("1800"));
    QCOMPARE(stored(anna, "Str/maxnums"), QStringLiteral("100"));
    QCOMPARE(stored(nikos, "Str/maxnums"), bothPlay ? QStringLiteral("1000") : QString());
    {
        auto form = startOn(world, anna);
        QCOMPARE(shownGameValues(*form), annas); // Άννα resumes her own exercise
        form->close();
    }
    if (bothPlay) {
        auto form = startOn(world, nikos);
        QCOMPARE(shownGameValues(*form), nikoss);
        form->close();
    }
    QVERIFY(!QFile::exists(world.settings.path)); // the account's own settings are no one's
}

void TestProfiles::deletion_data()
{
    QTest::addColumn<QString>("moment"); // "", "game open", "crash": the list said so, the files still there
    QTest::addColumn<bool>("deleted");
    QTest::newRow("deleted") << "" << true;
    QTest::newRow("refused while the game is open") << "game open" << false;
    QTest::newRow("a crash while the files were deleted") << "crash" << true;
}

void TestProfiles::deletion()
{
    QFETCH(QString, moment);
    QFETCH(bool, deleted);
    World world;
    ProfileList list(world.settings);
    const QString name = QStringLiteral("Ζωή \"Ζ\" ../");
    const Profile zoe = made(list, name, QStringLiteral("cat"));
    const Profile anna = made(list, QStringLiteral("Άννα"));
    const ProfileFiles files = list.files(zoe);
    {
        HistoryStore history(files.historyPath(), files.pendingPath());
        history.gameStarted({10, 100, QStringLiteral("game")});
    }
    writeFile(files.pendingPath(), "pending");
    QSettings(files.iniPath(), QSettings::IniFormat).setValue(QStringLiteral("Str/Level"), 2);
    QLockFile game(StoredSettings::lockPath(world.settings.path));
    if (moment == QLatin1String("game open"))
        QVERIFY(game.tryLock(0));
    // As the list keeps it, and as a file may hold it: the name's quotes may be escaped.
    const QString named = QStringLiteral("Ζωή");
    QVERIFY(!naming(world.dir.path(), named).isEmpty());

    QString error;
    if (moment == QLatin1String("crash")) {
        // The list says the deletion is under way; some files are still there.
        writeFile(list.listPath(), fileContents(list.listPath()).replace("\"picture\": \"cat\"",
                                                                          "\"picture\": \"cat\", \"state\": \"deleting\""));
        std::vector<Profile> read;
        QVERIFY(list.read(&read, &error));
        QCOMPARE(nameList(read), QStringList{QStringLiteral("Άννα")}); // already no one's to choose
        QVERIFY(list.finishInterrupted(&error));
    } else {
        QCOMPARE(list.remove(zoe.id, &error), deleted);
    }
    std::vector<Profile> left;
    QVERIFY(list.read(&left, &error) || !deleted);
    if (!deleted) {
        QCOMPARE(error, QStringLiteral("Το παιχνίδι είναι ανοιχτό: κλείσε το πρώτα και δοκίμασε ξανά."));
        QVERIFY(QFile::exists(files.historyPath()));
        QCOMPARE(left.size(), std::size_t(2));
        return;
    }
    QCOMPARE(naming(world.dir.path(), named), QStringList{}); // no file names her, none is hers
    QVERIFY(!QFileInfo::exists(QFileInfo(files.iniPath()).absolutePath()));
    QCOMPARE(nameList(left), QStringList{QStringLiteral("Άννα")});
    QVERIFY(QFile::exists(list.files(anna).iniPath()));
    // The last profile deleted: the account is as if none had ever been made.
    QVERIFY(list.remove(anna.id, &error));
    QVERIFY(!QFileInfo::exists(list.folder()));
}

namespace {

// Opens the real chooser; while it is open, a second start of the account's game is told that
// the game is open and plays nothing, or (`minimised`) a later start's request on the bus comes
// while the chooser is minimised and brings it back; then Escape closes the chooser.
std::optional<Profile> whileChooserOpen(World &world, InstanceLock &instance, const std::vector<Profile> &shown,
                                        bool minimised)
{
    ScriptedMessages secondMessages;
    bool secondPlayed = false;
    int secondStatus = -1;
    bool chooserOpen = false;
    QObject row;
    QTimer::singleShot(0, &row, [&] {
        auto *chooser = qobject_cast<ProfileChooser *>(QApplication::activeModalWidget());
        chooserOpen = chooser != nullptr && chooser->isVisible();
        if (minimised && chooser != nullptr) {
            chooser->showMinimized();
            instance.Show(); // what the bus calls for a later start
            chooserOpen = chooserOpen && chooser->isVisible() && !chooser->isMinimized();
            QTest::keyClick(chooser, Qt::Key_Escape);
            return;
        }
        const auto secondChooses = [&](const std::vector<Profile> &, InstanceLock &) -> std::optional<Profile> {
            secondPlayed = true; // a second chooser, beside the first
            return std::nullopt;
        };
        secondStatus = runAccountGame({world.settings, secondMessages, {}, secondChooses,
                                       [&](PlayerFiles &, InstanceLock &) {
                                           secondPlayed = true;
                                           return 0;
                                       },
                                       {QStringLiteral("none"), 100}});
        if (chooser != nullptr)
            QTest::keyClick(chooser, Qt::Key_Escape);
    });
    const std::optional<Profile> chosen = chooseInWindow(shown, instance);
    const bool keptOut = minimised ? chooserOpen : chooserOpen && secondStatus == 0 && !secondPlayed && secondMessages.shown.size() == 1
        && secondMessages.shown[0].text == QStringLiteral("Το Numbolo είναι ήδη ανοιχτό.");
    // What went wrong is played, and named by the row's check of who played.
    if (!keptOut)
        return Profile{QStringLiteral("0"), QStringLiteral("a second start not kept out"), {}};
    return chosen;
}

} // namespace

void TestProfiles::whoPlays_data()
{
    QTest::addColumn<QStringList>("profiles");
    QTest::addColumn<QString>("wanted"); // --profile
    QTest::addColumn<int>("choice");     // the chooser's button pressed; -1: closed
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("played"); // whose files the game played: "account", a child, or none
    QTest::addColumn<bool>("asked");     // the chooser asked
    QTest::newRow("no profile: the account's files, as always") << QStringList{} << "" << 0 << 0 << "account" << false;
    QTest::newRow("one profile plays at once") << QStringList{"Άννα"} << "" << 0 << 0 << "Άννα" << false;
    QTest::newRow("two: the chooser asks") << QStringList{"Νίκος", "Άννα"} << "" << 1 << 0 << "Νίκος" << true;
    QTest::newRow("two: the chooser closed plays no one") << QStringList{"Νίκος", "Άννα"} << "" << -1 << 0 << "" << true;
    QTest::newRow("--profile plays that child") << QStringList{"Νίκος", "Άννα"} << "νίκος" << 0 << 0 << "Νίκος" << false;
    QTest::newRow("--profile unknown") << QStringList{"Νίκος", "Άννα"} << "Ζωή" << 0 << 2 << "" << false;
    QTest::newRow("--profile without profiles") << QStringList{} << "Άννα" << 0 << 2 << "" << false;
    // -2: the real chooser; while it is open another start comes, then Escape closes it.
    QTest::newRow("a second start while the chooser is open") << QStringList{"Νίκος", "Άννα"} << "" << -2 << 0 << ""
                                                               << true;
    // -3: the real chooser, minimised when a later start asks on the bus: it comes back.
    QTest::newRow("a later start brings the minimised chooser forward") << QStringList{"Νίκος", "Άννα"} << "" << -3 << 0
                                                                        << "" << true;
}

void TestProfiles::whoPlays()
{
    QFETCH(QStringList, profiles);
    QFETCH(QString, wanted);
    QFETCH(int, choice);
    QFETCH(int, status);
    QFETCH(QString, played);
    QFETCH(bool, asked);
    World world;
    writeFile(world.settings.path, "[Str]\nLevel=1\n");
    ProfileList list(world.settings);
    for (const QString &name : profiles)
        made(list, name);
    bool chooserAsked = false;
    QString playedOn = QStringLiteral(""), playedPath;
    const AccountGame game{world.settings, world.messages, wanted,
                           [&](const std::vector<Profile> &shown, InstanceLock &instance) -> std::optional<Profile> {
                               chooserAsked = true;
                               if (choice <= -2)
                                   return whileChooserOpen(world, instance, shown, choice == -3);
                               if (choice < 0)
                                   return std::nullopt;
                               return shown[std::size_t(choice)];
                           },
                           [&](PlayerFiles &files, InstanceLock &) -> int {
                               playedOn = files.profileName().isEmpty() ? QStringLiteral("account") : files.profileName();
                               playedPath = files.iniPath();
                               return 0;
                           },
                           {QStringLiteral("none"), 100}};
    QCOMPARE(runAccountGame(game), status);
    QCOMPARE(playedOn, played);
    if (played == QLatin1String("account"))
        QCOMPARE(playedPath, world.settings.path);
    else if (!played.isEmpty())
        QVERIFY(playedPath.startsWith(list.folder() + QLatin1Char('/')));
    QCOMPARE(chooserAsked, asked);
    QCOMPARE(startFor(world.settings, wanted, false).status, status);
}

void TestProfiles::chooser_data()
{
    QTest::addColumn<QStringList>("keys"); // pressed on the chooser, in turn
    QTest::addColumn<QString>("chosen");   // empty: no one
    const QStringList order{"Άλκης", "άννα", "Βασίλης", "Νίκος 9", "Νίκος 10", "Ωρίων"};
    QTest::newRow("Return chooses the first") << QStringList{"Return"} << order[0];
    QTest::newRow("arrows go through the children") << QStringList{"Right", "Down", "Return"} << order[2];
    QTest::newRow("an arrow back at the first stays") << QStringList{"Left", "Up", "Space"} << order[0];
    QTest::newRow("to the last and no further") << QStringList(8, QStringLiteral("Right")) + QStringList{"Return"}
                                                << order[5];
    QTest::newRow("Tab, then back") << QStringList{"Tab", "Tab", "Backtab", "Space"} << order[1];
    QTest::newRow("Escape chooses no one") << QStringList{"Right", "Escape"} << "";
}

void TestProfiles::chooser()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, chosen);
    // Typed in another order: the chooser orders them as a Greek reader does.
    std::vector<Profile> profiles;
    for (const char *name : {"Ωρίων", "Νίκος 10", "Βασίλης", "άννα", "Νίκος 9", "Άλκης"})
        profiles.push_back({QString::number(profiles.size()), QString::fromUtf8(name), QStringLiteral("cat")});
    ProfileChooser window(profiles);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Ποιος παίζει;"));
    QStringList shown;
    for (QPushButton *button : window.buttons) {
        shown << button->accessibleName();
        QCOMPARE(button->text(), button->accessibleName());
        QCOMPARE(button->accessibleDescription(), QStringLiteral("Γάτα"));
    }
    QCOMPARE(shown, (QStringList{"Άλκης", "άννα", "Βασίλης", "Νίκος 9", "Νίκος 10", "Ωρίων"}));
    QCOMPARE(QApplication::focusWidget(), window.buttons.front());
    for (const QString &key : keys) {
        const QKeySequence sequence(key);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(sequence[0].key()), sequence[0].keyboardModifiers());
    }
    QCOMPARE(window.chosen() ? window.chosen()->name : QString(), chosen);
    QVERIFY(!window.isVisible());
}

void TestProfiles::progressChoice_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("status");   // what "Παιδιά" says after it
    QTest::addColumn<QStringList>("after"); // "Παιδί:" after it, in its order
    QTest::addColumn<QString>("shown");     // whose progress shows after it; empty: the account's
    QTest::addColumn<bool>("games");        // it shows games played
    QTest::newRow("the first child, the played files confirmed as hers")
        << "add first yes" << "Φτιάχτηκε το προφίλ του παιδιού «Άννα»." << QStringList{"Άννα"} << "Άννα" << true;
    QTest::newRow("the first child, the played files not hers")
        << "add first no" << "Δεν φτιάχτηκε προφίλ." << QStringList{} << "" << true;
    QTest::newRow("a second child, after who played last") << "add second" << "Φτιάχτηκε το προφίλ του παιδιού «Βασίλης»."
                                                           << QStringList{"Ζωή", "Βασίλης"} << "Βασίλης" << false;
    QTest::newRow("a name taken") << "add taken" << "Υπάρχει ήδη παιδί με το όνομα «ζωή»." << QStringList{"Ζωή"} << "Ζωή"
                                  << true;
    QTest::newRow("renamed") << "rename" << "Το παιδί λέγεται τώρα «Ζωή Μ.»." << QStringList{"Ζωή Μ."} << "Ζωή Μ." << true;
    QTest::newRow("deleted, after yes") << "delete yes" << "Το παιδί «Ζωή» διαγράφηκε." << QStringList{} << "" << false;
    QTest::newRow("not deleted, after no") << "delete no" << "" << QStringList{"Ζωή"} << "Ζωή" << true;
    QTest::newRow("deleted by another window while shown")
        << "deleted elsewhere" << "Το παιδί «Ζωή» διαγράφηκε από άλλο παράθυρο." << QStringList{} << "" << false;
    QTest::newRow("made by another window") << "made elsewhere" << "" << QStringList{"Ζωή", "Άννα"} << "Ζωή" << true;
}

void TestProfiles::progressChoice()
{
    QFETCH(QString, step);
    QFETCH(QString, status);
    QFETCH(QStringList, after);
    QFETCH(QString, shown);
    QFETCH(bool, games);
    World world;
    ScriptedMessages asked;
    const auto answer = [&asked](MessageAnswer a) { asked.answers.push_back(a); };
    ProfileList list(world.settings);
    if (step.startsWith(QLatin1String("add first"))) {
        HistoryStore(world.settings.historyPath(), world.settings.pendingPath()).gameStarted({10, 100, QStringLiteral("g")});
    } else {
        const Profile zoe = made(list, QStringLiteral("Ζωή"));
        HistoryStore(list.files(zoe).historyPath(), list.files(zoe).pendingPath()).gameStarted({10, 100, QStringLiteral("g")});
    }
    ChildrenProgress window(world.settings);
    window.ask = [&asked](const Message &message) { return asked.show(message); };
    window.nameEdit->setText(step == QLatin1String("add second") ? QStringLiteral("Βασίλης")
                             : step == QLatin1String("add taken") ? QStringLiteral("ζωή")
                             : step == QLatin1String("rename")    ? QStringLiteral(" Ζωή  Μ. ")
                                                                  : QStringLiteral("Άννα"));
    if (step.startsWith(QLatin1String("add"))) {
        answer(step.endsWith(QLatin1String("no")) ? MessageAnswer::No : MessageAnswer::Yes);
        click(window.addButton);
    } else if (step == QLatin1String("rename")) {
        click(window.renameButton);
    } else if (step.endsWith(QLatin1String("elsewhere"))) {
        ProfileList other(world.settings);
        QString error;
        if (step.startsWith(QLatin1String("deleted")))
            QVERIFY(other.remove(window.shownId(), &error));
        else
            QVERIFY(!made(other, QStringLiteral("Άννα")).id.isEmpty());
        window.listChanged(); // as the folder's watcher calls it
        // A parent's setting now changes no deleted child's files.
        click(window.progress()->settingsView->typingBox);
        QCOMPARE(QFileInfo::exists(list.folder()), step.startsWith(QLatin1String("made")));
    } else {
        answer(step.endsWith(QLatin1String("no")) ? MessageAnswer::No : MessageAnswer::Yes);
        click(window.deleteButton);
    }
    QCOMPARE(window.status->text(), status);
    QStringList listed;
    for (int i = 0; i < window.childBox->count(); ++i)
        listed << window.childBox->itemText(i);
    QCOMPARE(listed, after);
    QCOMPARE(window.childBox->isVisibleTo(&window), !after.isEmpty());
    // The first child's question names her; the deletion's names the child and says it is for good.
    if (step.startsWith(QLatin1String("add first")))
        QVERIFY(asked.shown.at(0).text.contains(QStringLiteral("Ήταν το παιδί «Άννα»;")));
    if (step.startsWith(QLatin1String("delete "))) {
        QCOMPARE(asked.shown.at(0).buttons, MessageButtons::YesNo);
        QVERIFY(asked.shown.at(0).text.startsWith(QStringLiteral("Να διαγραφεί το παιδί «Ζωή»;")));
        QVERIFY(asked.shown.at(0).text.contains(QStringLiteral("Αυτό δεν αναιρείται.")));
    }
    if (step != QLatin1String("add second") && step != QLatin1String("add taken") && !asked.shown.empty())
        QCOMPARE(asked.shown.size(), std::size_t(1));
    // The progress shown is the chosen child's, or the account's.
    QCOMPARE(window.shownId().isEmpty(), shown.isEmpty());
    QCOMPARE(window.childBox->currentText(), shown);
    QCOMPARE(window.windowTitle(), shown.isEmpty() ? QStringLiteral("Πρόοδος") : QStringLiteral("Πρόοδος — ") + shown);
    QVERIFY(window.progress() != nullptr);
    QCOMPARE(window.progress()->gamesTable != nullptr, games);
}

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
