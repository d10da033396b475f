// Faults from outside the game: a settings file that is unreadable, a folder, or damaged; a
// save that fails half-way; no sound server; a font folder that cannot take the display font;
// and a display of a million characters. None of them may crash, hang or cost the player the
// game, and a failed save must leave the previous file as it was.

#include "app/setup.h"
#include "desktop/modulesoundplayer.h"
#include "desktop/qtsound.h"
#include "desktop/userfontfolders.h"
#include "game/form1.h"
#include "arithmetic/numbertext.h"
#include "windows/form3.h"
#include "tests/fakes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>

#include <random>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace numbolo;
using namespace numbolo::testing;

namespace {


void writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}



bool targetsDrawn(const Form1 &form)
{
    for (const TextBox *box : form.targetBoxesByName())
        if (box->text().isEmpty())
            return false;
    return true;
}

// The window can be played: a game runs with its targets, or one starts from the options.
void verifyPlayable(World &world, Form1 &form)
{
    QVERIFY(!form.hasEnded());
    if (form.Text17->text() == QLatin1String("0")) {
        startGame(form, QStringLiteral("10"), QStringLiteral("100"));
        QCOMPARE(form.Text17->text(), QStringLiteral("1"));
    }
    QVERIFY(targetsDrawn(form));
    QVERIFY(world.messages.shown.empty());
}


// Plays on from whatever the window started with: a skip, or a new game. Closes the window.
void playAndClose(World &world, Form1 &form)
{
    if (form.Text17->text() == QLatin1String("0"))
        startGame(form, QStringLiteral("10"), QStringLiteral("100"));
    else
        skipExercise(world, form);
    world.messages.shown.clear();
    form.close();
    QVERIFY(form.hasEnded());
    QVERIFY(world.messages.shown.empty());
}

// The sizes the display font's absence leaves: 18 everywhere, 14 in the four small boxes.
void verifyFallbackSizes(const Form1 &form)
{
    for (const TextBox *box : form.controlsOf<TextBox>()) {
        const bool small = QStringList{"Text14", "Text15", "Text16", "Text17"}.contains(box->objectName());
        QCOMPARE(box->font().pointSizeF(), small ? 14.0 : 18.0);
        QVERIFY(!box->font().bold());
    }
}

// Everything about the window that "=" could change apart from the display.
struct WindowState {
    QStringList texts;
    QList<bool> enabled;
    bool timer = false;
    bool formEnabled = false;
    bool success = false;
    qsizetype windows = 0;
    std::size_t sounds = 0;
    std::size_t messages = 0;
    std::size_t pendingCalls = 0;
    bool operator==(const WindowState &) const = default;
};

WindowState stateOf(const World &world, const Form1 &form)
{
    WindowState state;
    for (const TextBox *box : form.controlsOf<TextBox>())
        if (box != form.Text1)
            state.texts << box->objectName() + QLatin1Char('=') + box->text();
    for (const QPushButton *key : form.controlsOf<QPushButton>())
        state.enabled << key->isEnabled();
    for (const Frame *frame : form.controlsOf<Frame>())
        state.enabled << frame->isFrameEnabled();
    state.timer = form.Timer1->isEnabled();
    state.formEnabled = form.isFormEnabled();
    state.success = form.successWindow() != nullptr;
    state.windows = QApplication::topLevelWidgets().size();
    state.sounds = world.sound.played.size();
    state.messages = world.messages.shown.size();
    state.pendingCalls = world.clock.pending();
    return state;
}

// The real user font folder for the installed font, the test's folder for the shipped one.
class RealSystemFontFolder : public FontFolders {
public:
    explicit RealSystemFontFolder(QString program) : m_program(std::move(program)) {}
    QString systemFontFolder() const override { return UserFontFolders().systemFontFolder(); }
    QStringList programFolders() const override { return {m_program}; }

private:
    QString m_program;
};

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void damagedSettingsFile_data();
    void damagedSettingsFile();
    void saveReplacesTheFileInOneStep_data();
    void saveReplacesTheFileInOneStep();
    void saveKeepsWhatIsNotTheGames_data();
    void saveKeepsWhatIsNotTheGames();
    void linkedSettingsFile_data();
    void linkedSettingsFile();
    void noSoundServer_data();
    void noSoundServer();
    void soundModuleLoadsAtFirstSound();
    void fontFolderCannotTakeTheFont_data();
    void fontFolderCannotTakeTheFont();
    void millionCharacterDisplay_data();
    void millionCharacterDisplay();

private:
    QTemporaryDir m_home;
};

void TestFaults::initTestCase()
{
    QVERIFY(m_home.isValid());
    // No sound server can be reached, and none may be started for this process.
    const QString clientConfig = m_home.filePath(QStringLiteral("pulse-client.conf"));
    writeAll(clientConfig, "autospawn = no\n");
    qputenv("PULSE_CLIENTCONFIG", QFile::encodeName(clientConfig));
    qputenv("PULSE_SERVER", QFile::encodeName(QStringLiteral("unix:") + m_home.filePath(QStringLiteral("no-server"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_home.path()));
    setupApplication();
    QLocale::setDefault(QLocale::c());
}

// ---- The settings file ------------------------------------------------------------------------

void TestFaults::damagedSettingsFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("savable");

    QByteArray noise(4096, '\0');
    std::mt19937 bytes(7);
    for (char &b : noise)
        b = char(bytes() & 0xFF);
    const QByteArray game("[Str]\nLevel=1.5\nscore=2\nmaxnums=100\ncur=3\nnums=40\nreps=10\n");

    QTest::newRow("unreadable file") << "unreadable" << game << false;
    QTest::newRow("a folder in the file's place") << "folder" << QByteArray() << false;
    QTest::newRow("random bytes") << "content" << noise << true;
    // Regression: a damaged file was rewritten at closing, yet closing reported that it could
    // not be written and that the old file was kept. Found by fuzzing start-up.
    QTest::newRow("damaged lines") << "content" << QByteArray("\0\xff[Str\n=\ncur=\x01\n\\\n\"", 18) << true;
    QTest::newRow("a file cut off half-way") << "content" << game.left(30) << true;
    QTest::newRow("a game in a second, damaged section") << "content" << game + "[Str\ncur=\x02\n" << true;
}

void TestFaults::damagedSettingsFile()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, content);
    QFETCH(bool, savable);
    World world;
    world.shipFont();
    world.installFont();
    if (fault == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(world.settings.path));
    else
        writeAll(world.settings.path, content);
    auto restore = qScopeGuard([&] {
        if (fault == QLatin1String("unreadable"))
            QFile::setPermissions(world.settings.path, QFile::ReadOwner | QFile::WriteOwner);
    });
    if (fault == QLatin1String("unreadable")) {
        QVERIFY(QFile::setPermissions(world.settings.path, {}));
        if (QFileInfo(world.settings.path).isReadable())
            QSKIP("This user (root) reads any file.");
    }

    auto form = world.start();
    form->show();
    verifyPlayable(world, *form);

    form->close();
    QVERIFY(form->hasEnded());
    if (savable) {
        QVERIFY(world.messages.shown.empty());
        QCOMPARE(storedGameValues(world), shownGameValues(*form));
    } else {
        // One clear error, and the file or folder stays as it was.
        QCOMPARE(world.messages.shown.size(), std::size_t(1));
        QCOMPARE(world.messages.shown.front().icon, MessageIcon::Critical);
        QVERIFY(world.messages.shown.front().text.contains(QDir::toNativeSeparators(world.settings.path)));
        if (fault == QLatin1String("folder")) {
            QVERIFY(QFileInfo(world.settings.path).isDir());
        } else {
            restore.dismiss();
            QVERIFY(QFile::setPermissions(world.settings.path, QFile::ReadOwner | QFile::WriteOwner));
            QCOMPARE(fileContents(world.settings.path), content);
        }
    }
}

void TestFaults::saveReplacesTheFileInOneStep_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("a save that succeeds") << "saves";
    QTest::newRow("a save over the leftover of an interrupted one") << "leftover";
    QTest::newRow("a save that fails half-way: disk full") << "full";
}

void TestFaults::saveReplacesTheFileInOneStep()
{
#ifndef Q_OS_LINUX
    QSKIP("Uses hard links and a file size limit.");
#else
    // A hard link to the settings file sees the bytes of the file as it was: a save that wrote
    // into the file would change them; a save that puts a new file in its place does not.
    QFETCH(QString, how);
    World world;
    world.store({{"Level", "1.5"}, {"score", "2"}, {"maxnums", "100"}, {"cur", "3"}, {"nums", "40"}, {"reps", "10"}});
    const QByteArray before = fileContents(world.settings.path);
    const QDir folder = QFileInfo(world.settings.path).dir();
    const QString link = folder.filePath(QStringLiteral("previous.ini"));
    QCOMPARE(::link(QFile::encodeName(world.settings.path).constData(), QFile::encodeName(link).constData()), 0);

    world.shipFont();
    world.installFont();
    auto form = world.start();
    click(usableDigit(*form));
    world.clock.advance(3000); // a change to save: the countdown moved, and a skip
    world.messages.answers.push_back(MessageAnswer::Yes);
    click(form->Image6);
    QCOMPARE(form->Text17->text(), QStringLiteral("4"));
    world.messages.shown.clear();
    form->Text13->setText(QStringLiteral("3")); // a change since the skip's checkpoint
    const QByteArray checkpointed = fileContents(world.settings.path);
    if (how == QLatin1String("leftover")) {
        // A save killed half-way leaves its staging file, and earlier versions an empty lock
        // file beside it, which made the next save wait half a minute for it to go stale.
        writeAll(world.settings.path + QStringLiteral(".saving"), "[Str]\nstale=1\ncur=99\n");
        writeAll(world.settings.path + QStringLiteral(".saving.lock"), "");
    }

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (how == QLatin1String("full")) {
        const rlimit tiny{16, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    QElapsedTimer closing;
    closing.start();
    form->close();
    const qint64 closingMs = closing.elapsed();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY2(closingMs < 10'000, "the close waited for a leftover"); // a hang, not a measurement
    QCOMPARE(fileContents(link), before);
    // No temporary file stays behind, whether the save succeeded or not.
    QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{"Numbolo.ini", "previous.ini"}));
    if (how == QLatin1String("full")) {
        QCOMPARE(world.messages.shown.size(), std::size_t(1));
        QCOMPARE(fileContents(world.settings.path), checkpointed);
    } else {
        QVERIFY(world.messages.shown.empty());
        QCOMPARE(storedGameValues(world), shownGameValues(*form));
        QCOMPARE(world.stored(QStringLiteral("cur")), QStringLiteral("4"));
        QVERIFY(!world.hasStored(QStringLiteral("stale")));
    }
#endif
}

void TestFaults::saveKeepsWhatIsNotTheGames_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("damaged"); // QSettings cannot read all of it: a copy is kept
    const QByteArray game("Level=1.5\nscore=2\nmaxnums=100\ncur=3\nnums=40\nreps=10\n");
    QTest::newRow("other keys in [Str] and other sections")
        << QByteArray("[General]\nlanguage=el\n\n[Str]\nLevel=1.5\nscore=2\nsound=off\nmaxnums=100\ncur=3\n"
                      "nums=40\nreps=10\n\n[Window]\ngeometry=@ByteArray(\\x1\\x2)\ncolour=\"#444444\"\n")
        << false;
    QTest::newRow("comments, Windows line breaks, the six keys in another section")
        << QByteArray("; Numbolo\r\n[Str]\r\nLevel = 1.5\r\n; the level\r\nscore=2\r\nmaxnums=100\r\ncur=3 ; now\r\n"
                      "nums=40\r\nreps=10\r\n[Other]\r\nLevel=9\r\ncur=1\r\n")
        << false;
    QTest::newRow("no [Str] section yet") << QByteArray("[Window]\ngeometry=1") << false;
    QTest::newRow("a key of the game twice, and keys of its own")
        << QByteArray("[Str]\nLevel=1.5\nscore=2\nnote=\"a, b\"\nmaxnums=100\ncur=3\nnums=40\nreps=10\ncur=3\nempty=\n")
        << false;
    // Hand-edited files.
    QTest::newRow("an open quote in another key") << "[Str]\nnote=\"my note\n" + game << false;
    QTest::newRow("a line without \"=\"") << "[Str]\n" + game + "a stray line\n[Window]\ngeometry=1\n" << true;
    QTest::newRow("a section without its \"]\"") << "[Window]\ngeometry=1\n[Broken\nx=1\n[Str]\n" + game << true;
    QTest::newRow("a byte that is not UTF-8") << "[Window]\ntitle=caf\xe9\n[Str]\n" + game << true;
    QTest::newRow("a [General] section") << "[General]\nlanguage=el\n[Str]\n" + game << false;
    QTest::newRow("%-escaped keys, @String and a list")
        << QByteArray("[Str]\nLevel=1.5\nscore=2\nmaxnums=100\nc%75r=3\nnums=40\nreps=10\nname=@String(abc)\n"
                      "list=a, b\n")
        << false;
}

void TestFaults::saveKeepsWhatIsNotTheGames()
{
    // The store sets its six keys and the game's id and time only: every other key QSettings reads in the
    // file stays, and a file it cannot read whole is kept beside it.
    QFETCH(QByteArray, content);
    QFETCH(bool, damaged);
    World world;
    world.shipFont();
    world.installFont();
    writeAll(world.settings.path, content);
    const auto qtReads = [](const QString &path) {
        QVariantMap values;
        QSettings ini(path, QSettings::IniFormat);
        for (const QString &key : ini.allKeys())
            values.insert(key, ini.value(key));
        return values;
    };
    // What QSettings reads in the file, from a copy: the game is the first to read the file.
    const QString original = world.dir.filePath(QStringLiteral("original.ini"));
    writeAll(original, content);
    QVariantMap expected = qtReads(original);
    auto form = world.start();
    form->show();
    QCOMPARE(form->Text17->text(), expected.value(QStringLiteral("Str/cur"), QStringLiteral("0")).toString());
    playAndClose(world, *form);

    const QStringList shown = shownGameValues(*form);
    const QStringList keys{"Level", "score", "maxnums", "cur", "nums", "reps"};
    for (qsizetype i = 0; i < keys.size(); ++i)
        expected.insert(QStringLiteral("Str/") + keys[i], shown[i]);
    // and the id of the game under way with its time, in a section of its own.
    const QString id = StoredSettings::gameId(world.settings.path);
    QCOMPARE(id.isEmpty(), shown[3] == QLatin1String("0"));
    if (!id.isEmpty()) {
        expected.insert(QStringLiteral("Game/id"), id);
        expected.insert(QStringLiteral("Game/secondsPerExercise"), QStringLiteral("180"));
    }
    QCOMPARE(qtReads(world.settings.path), expected);
    const QString copy = world.settings.path + QStringLiteral(".damaged");
    QCOMPARE(fileContents(copy), damaged ? content : QByteArray());

    // The next start resumes the game just saved.
    auto next = world.start();
    QCOMPARE(shownGameValues(*next), shown);
}

void TestFaults::linkedSettingsFile_data()
{
    QTest::addColumn<QStringList>("links"); // each a link to the next; the last is the file
    QTest::addColumn<bool>("fileExists");
    QTest::newRow("a link into a dotfiles folder") << QStringList{"../../dotfiles/Numbolo.ini"} << true;
    QTest::newRow("a link to a link") << QStringList{"../../dotfiles/link.ini", "real/Numbolo.ini"} << true;
    QTest::newRow("a link whose file does not exist yet") << QStringList{"../../dotfiles/Numbolo.ini"} << false;
}

void TestFaults::linkedSettingsFile()
{
#ifndef Q_OS_UNIX
    QSKIP("Uses symbolic links.");
#else
    // People keep settings in a dotfiles folder and link them into place: the save writes the
    // file the links name and keeps the links.
    QFETCH(QStringList, links);
    QFETCH(bool, fileExists);
    World world;
    world.shipFont();
    world.installFont();
    QString at = world.settings.path;
    QDir().mkpath(QFileInfo(at).path());
    QStringList chain{at};
    for (const QString &target : links) {
        QCOMPARE(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(at).constData()), 0);
        at = QFileInfo(QFileInfo(at).dir().filePath(target)).absoluteFilePath();
        QDir().mkpath(QFileInfo(at).path());
        chain << at;
    }
    const QString file = chain.takeLast();
    if (fileExists)
        writeAll(file, "[Str]\nLevel=1.5\nscore=2\nmaxnums=100\ncur=3\nnums=40\nreps=10\n");

    auto form = world.start();
    form->show();
    QCOMPARE(form->Text17->text(), fileExists ? QStringLiteral("3") : QStringLiteral("0"));
    playAndClose(world, *form);

    for (const QString &link : std::as_const(chain))
        QVERIFY2(QFileInfo(link).isSymLink(), qPrintable(link));
    QVERIFY(QFileInfo(file).isFile() && !QFileInfo(file).isSymLink());
    QCOMPARE(storedGameValues(world), shownGameValues(*form)); // read through the links
    for (const QString &folder : {QFileInfo(world.settings.path).path(), QFileInfo(file).path()})
        for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
            QVERIFY2(!name.endsWith(QLatin1String(".saving")), qPrintable(name));
#endif
}

// ---- Sound ------------------------------------------------------------------------------------

void TestFaults::noSoundServer_data()
{
    QTest::addColumn<QList<int>>("sounds");
    QTest::newRow("the hit sound, again and again") << QList<int>(20, int(Sound::Hit));
    QTest::newRow("the end music, again and again") << QList<int>(5, int(Sound::EndMusic));
    QTest::newRow("hit and music in turn") << QList<int>{0, 1, 0, 1, 1, 0, 0, 1};
}

void TestFaults::noSoundServer()
{
    QFETCH(QList<int>, sounds);
    // The real sound service with no server to play to: every play() returns without running
    // the event loop, so it cannot wait for a device, and the game goes on silently.
    class Receiver : public QObject {
    public:
        int received = 0;
        bool event(QEvent *e) override
        {
            received += e->type() == QEvent::User ? 1 : 0;
            return QObject::event(e);
        }
    } receiver;
    {
        QtSoundPlayer player;
        for (const int sound : sounds) {
            QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
            player.play(Sound(sound));
            QCOMPARE(receiver.received, 0);
            QCoreApplication::sendPostedEvents(&receiver);
            receiver.received = 0;
        }
    } // destroyed with whatever it holds

    // The game with that service: "=" hits all eight targets and the exercise is won.
    World world;
    world.shipFont();
    world.installFont();
    QtSoundPlayer player;
    Services services{world.messages, player, world.settings, world.fonts, world.random, world.clock};
    Form1 form(services);
    form.load();
    startGame(form, QStringLiteral("10"), QStringLiteral("100"));
    PushButton *digit = usableDigit(form);
    QVERIFY(digit != nullptr);
    setTargets(form, QStringList(8, digit->text()));
    click(digit);
    click(form.Command17);
    QCOMPARE(form.Text13->text(), QStringLiteral("1"));
    QVERIFY(form.successWindow() != nullptr);
    click(form.successWindow()->Command1);
    QCOMPARE(form.Text17->text(), QStringLiteral("2"));
    QVERIFY(world.messages.shown.empty());
    QVERIFY(!form.hasEnded());
}

// ---- The font folder ----------------------------------------------------------------------------

void TestFaults::fontFolderCannotTakeTheFont_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("the user's font folder cannot be made (real folder service)") << "cannot make";
    QTest::newRow("the font folder is a file") << "file";
    QTest::newRow("the font folder is read-only") << "read-only";
    // Regression: a folder named like the font counted as the installed font, so the game kept
    // the display font's sizes though it had no display font.
    QTest::newRow("a folder in the font file's place") << "folder in place";
}

void TestFaults::fontFolderCannotTakeTheFont()
{
    QFETCH(QString, fault);
    World world;
    world.shipFont();
    RealSystemFontFolder realFolder(world.fonts.program);
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    auto restore = qScopeGuard([&] {
        qputenv("XDG_DATA_HOME", dataHome);
        if (fault == QLatin1String("read-only"))
            QFile::setPermissions(world.fonts.system, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    const bool realService = fault == QLatin1String("cannot make");
    if (realService) {
        const QString blocker = world.dir.filePath(QStringLiteral("blocker"));
        writeAll(blocker, "a file where a folder should be");
        qputenv("XDG_DATA_HOME", QFile::encodeName(blocker + QStringLiteral("/data")));
    } else if (fault == QLatin1String("file")) {
        QVERIFY(QDir(world.fonts.system).removeRecursively());
        writeAll(world.fonts.system, "a file where the font folder should be");
    } else if (fault == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(world.fonts.system, QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(world.fonts.system).isWritable())
            QSKIP("This user (root) writes into any folder.");
    } else {
        QVERIFY(QDir(world.fonts.system).mkpath(QStringLiteral("DS-DIGI.TTF")));
    }

    FontFolders &fonts = realService ? static_cast<FontFolders &>(realFolder) : world.fonts;
    Form1 form(Services{world.messages, world.sound, world.settings, fonts, world.random, world.clock});
    form.load();
    form.show();
    QVERIFY(world.messages.shown.empty());
    verifyFallbackSizes(form);
    verifyPlayable(world, form);
}

// ---- A pathological display -----------------------------------------------------------------------

void TestFaults::millionCharacterDisplay_data()
{
    QTest::addColumn<QString>("display");
    QTest::newRow("a million digits") << QString(1'000'000, u'7');
    QTest::newRow("a million opening brackets") << QString(1'000'000, u'(');
    QTest::newRow("brackets ten thousand deep, one short") << QString(10'000, u'(') + u'1' + QString(9'999, u')');
    QTest::newRow("a million keypad characters ending in an operator")
        << QStringLiteral("(9+8)*7-").repeated(125'000);
}

void TestFaults::millionCharacterDisplay()
{
    QFETCH(QString, display);
    // "=" refuses the display and nothing else changes: targets, score, counter, keys, the
    // countdown, windows, sounds and messages; a second "=" changes nothing either.
    World world;
    world.shipFont();
    world.installFont();
    auto form = world.start();
    form->show();
    startGame(*form, QStringLiteral("10"), QStringLiteral("100"));
    click(usableDigit(*form)); // the countdown runs
    form->Text1->setText(display);
    const WindowState before = stateOf(world, *form);
    for (int press = 0; press < 2; ++press) {
        click(form->Command17);
        QVERIFY(form->Text1->text() == display);
        QVERIFY(stateOf(world, *form) == before);
    }
    QVERIFY(!form->hasEnded());
}

void TestFaults::soundModuleLoadsAtFirstSound()
{
    // No module where the game looks: silence, and the game goes on.
    ModuleSoundPlayer missing({QStringLiteral("/nonexistent-numbolo-folder")});
    missing.play(Sound::Hit);
    QVERIFY(!missing.loaded());

    // The module built beside the program is loaded at the first sound, not before.
    ModuleSoundPlayer module({QStringLiteral(NUMBOLO_BINARY_DIR)});
    QVERIFY(!module.loaded());
    module.play(Sound::Hit);
    QVERIFY(module.loaded());
    module.play(Sound::EndMusic);
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
