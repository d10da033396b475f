// Form1's design and its load handler: the controls and their markers, the three start-up
// paths, the display font on the first start, and stored values that cannot make a game.

#include "app/rungame.h"
#include "app/setup.h"
#include "controls/designfont.h"
#include "desktop/instancelock.h"
#include "game/form1.h"
#include "arithmetic/numbertext.h"
#include "tests/fakes.h"

#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSvgRenderer>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cmath>

using namespace numbolo;
using namespace numbolo::testing;

using Stored = QMap<QString, QString>;

namespace {

QStringList namesOf(const auto &objects)
{
    QStringList names;
    for (const QObject *object : objects)
        names << object->objectName();
    return names;
}

QString fontFile(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("DS-DIGI.TTF"));
}

// Keys "Parents/<key>" go to the parent's settings, the others to the game's.
void storeAll(World &world, const Stored &values)
{
    std::map<QString, QString> entries, parents;
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (it.key().startsWith(QLatin1String("Parents/")))
            parents[it.key().mid(8)] = it.value();
        else
            entries[it.key()] = it.value();
    }
    if (!entries.empty())
        world.store(entries);
    if (!parents.empty())
        world.storeParents(parents);
}

// A stored game that can be resumed.
const Stored ValidGame{{"Level", "1.5"}, {"score", "2"}, {"maxnums", "100"},
                       {"cur", "3"},     {"nums", "40"},  {"reps", "10"}};

// The exercise on the window follows the drawing rules: eight whole targets within the number
// range, exactly two operators ("-" may come on as a third for a zero or negative target), and
// five digits exactly when the pair is "/" and "x".
void verifyDrawnExercise(const Form1 &form)
{
    const double nums = NumberText::parseOrThrow(form.Text18->text());
    const double maxnums = NumberText::parseOrThrow(form.Text14->text());
    bool zero = false;
    for (const TextBox *box : form.targetBoxesByName()) {
        const auto target = NumberText::parse(box->text());
        QVERIFY2(target.has_value(), qPrintable(box->objectName() + " holds " + box->text()));
        QCOMPARE(std::floor(*target), *target);
        if (nums > 0)
            QVERIFY(*target >= 0 && *target < nums);
        else
            QVERIFY(*target >= std::floor(nums) && *target <= 0);
        zero = zero || *target == 0;
    }
    int operators = 0;
    for (const PushButton *key : form.keysWithBackColor(OperatorKeyColor))
        operators += key->isEnabled() ? 1 : 0;
    if (zero || maxnums < 0) {
        QVERIFY(form.Command12->isEnabled());
        QVERIFY(operators == 2 || operators == 3);
    } else {
        QCOMPARE(operators, 2);
    }
    int digits = 0;
    for (const PushButton *key : form.keysWithBackColor(DigitKeyColor))
        digits += key->isEnabled() ? 1 : 0;
    QCOMPARE(digits, form.Command10->isEnabled() && form.Command11->isEnabled() ? 5 : 3);
}

// The state of no game running: digit keys off, all other keys on, options open, no targets.
void verifyNoGame(const Form1 &form)
{
    QCOMPARE(form.Text17->text(), QStringLiteral("0"));
    for (const PushButton *key : form.controlsOf<PushButton>())
        QCOMPARE(key->isEnabled(), key->backColor() != DigitKeyColor);
    QVERIFY(form.CommandButton2->isEnabled());
    QVERIFY(!form.Text14->isLocked());
    QVERIFY(!form.Text16->isLocked());
    for (const TextBox *box : form.targetBoxesByName())
        QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
}

// A quiet start-up that read the stored level as `level`: the stored game (exercise 3) runs
// again when `resumes`, else no game runs.
void verifyStartedFromLevel(const World &world, const Form1 &form, const QString &level, bool resumes)
{
    QVERIFY(world.messages.shown.empty());
    QCOMPARE(form.Text12->text(), level);
    if (resumes) {
        QCOMPARE(form.Text17->text(), QStringLiteral("3"));
        verifyDrawnExercise(form);
    } else {
        verifyNoGame(form);
    }
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    // Runs first, while this process does not know the display face yet.
    // First: the other tests' windows add the display face for good.
    void installedFamilies_data();
    void installedFamilies();
    void displayFaceKnownBeforeAnyText();
    void creationOrder();
    void controlTree_data();
    void controlTree();
    void markerSearches_data();
    void markerSearches();
    void stateAtCreation();
    void designFontsUseTheirFirstInstalledStandIn_data();
    void designFontsUseTheirFirstInstalledStandIn();

    void startUpPaths_data();
    void startUpPaths();
    void firstStartFont_data();
    void firstStartFont();
    void damagedStoredValues_data();
    void damagedStoredValues();
    void storedLevelInTheUserLocale_data();
    void storedLevelInTheUserLocale();
    void handWrittenSettingsFile_data();
    void handWrittenSettingsFile();
    void oneCopyPerSettingsFile_data();
    void oneCopyPerSettingsFile();
    void hiddenBoxShowsItsFont_data();
    void hiddenBoxShowsItsFont();

private:
    QTemporaryDir m_runtime; // the runtime folder: the test's own, not the user's
};

void TestStartup::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    setupApplication();
    QLocale::setDefault(QLocale::c());
}

void TestStartup::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestStartup::displayFaceKnownBeforeAnyText()
{
    if (QFontDatabase::hasFamily(QStringLiteral("DS-Digital")))
        QSKIP("the display face is installed on this machine already");
    World world;
    world.shipFont(); // only beside the program, as on a start with the user's copy deleted
    auto form = world.start();
    form->show();
    // Regression: the face was registered after the boxes were built, so "180", given to Text15
    // at creation, stayed in a fallback font. A box built now, the same in every other way, must
    // look the same.
    TextBox reference(nullptr);
    reference.setFont(form->Text15->font());
    reference.setBackColor(form->Text15->backColor());
    reference.setAlignment(form->Text15->alignment());
    reference.setText(form->Text15->text());
    reference.resize(form->Text15->size());
    QCOMPARE(form->Text15->grab().toImage().convertToFormat(QImage::Format_RGB32),
             reference.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

void TestStartup::creationOrder()
{
    // Enumerating the window visits the controls in the design's creation order, which decides
    // the order of every search by marker.
    const QStringList design = QStringLiteral(
        "Text16 Frame2 Frame9 Text14 Frame5 Image8 Image4 Image5 Image2 Frame6 Label4 Image1 Frame1 Text18 "
        "Command20 Frame7 Text17 Image6 Command14 Text12 Text13 Frame3 Command19 Text15 Frame4 Text9 Text8 "
        "Text7 Text6 Text5 Text4 Text3 Text2 Text1 Command11 Command17 Command12 Command13 Command10 Command7 "
        "Command8 Command9 Command4 Command5 Command6 Command1 Command2 Command3 Command0 Command15 Command16 "
        "Timer1 Command18 CommandButton2 Image3 Image7").split(QLatin1Char(' '));
    World world;
    Form1 form(world.services());
    QCOMPARE(form.objectName(), QStringLiteral("Form1"));
    QCOMPARE(namesOf(form.controls()), design);
}

void TestStartup::controlTree_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QStringList>("members");
    const auto list = [](const char *names) { return QString::fromLatin1(names).split(QLatin1Char(' ')); };
    QTest::newRow("window") << "Form1" << list("Text16 Frame2 Frame6 Frame1 Image3 Image7");
    QTest::newRow("Frame1") << "Frame1"
                            << list("Text18 Command20 Frame7 Command14 Text12 Text13 Frame3 Frame4 Text1 Command11 "
                                    "Command17 Command12 Command13 Command10 Command7 Command8 Command9 Command4 "
                                    "Command5 Command6 Command1 Command2 Command3 Command0 Command15 Command16 "
                                    "Timer1 Command18 CommandButton2");
    QTest::newRow("Frame2") << "Frame2" << list("Frame9 Frame5 Image8 Image4 Image5 Image2");
    QTest::newRow("Frame9") << "Frame9" << list("Text14");
    QTest::newRow("Frame5 (Text16 only lies over it)") << "Frame5" << QStringList();
    QTest::newRow("Frame6") << "Frame6" << list("Label4 Image1");
    QTest::newRow("Frame3") << "Frame3" << list("Command19 Text15");
    QTest::newRow("Frame4") << "Frame4" << list("Text9 Text8 Text7 Text6 Text5 Text4 Text3 Text2");
    QTest::newRow("Frame7") << "Frame7" << list("Text17 Image6");
}

void TestStartup::controlTree()
{
    // Which frame holds a control decides what the end of a game locks.
    QFETCH(QString, container);
    QFETCH(QStringList, members);
    World world;
    Form1 form(world.services());
    QStringList found;
    for (const QObject *control : form.controls())
        if (control->parent() != nullptr && control->parent()->objectName() == container)
            found << control->objectName();
    QCOMPARE(found, members);
}

void TestStartup::markerSearches_data()
{
    QTest::addColumn<bool>("textBoxes");
    QTest::addColumn<quint32>("marker");
    QTest::addColumn<QStringList>("found");
    const auto list = [](const char *names) { return QString::fromLatin1(names).split(QLatin1Char(' ')); };
    QTest::newRow("digit keys") << false << quint32(DigitKeyColor)
                                << list("Command7 Command8 Command9 Command4 Command5 Command6 Command1 Command2 "
                                        "Command3 Command0");
    QTest::newRow("operator keys") << false << quint32(OperatorKeyColor)
                                   << list("Command11 Command12 Command13 Command10");
    QTest::newRow("plain keys") << false << quint32(PlainKeyColor)
                                << list("Command20 Command14 Command19 Command17 Command15 Command16 Command18");
    QTest::newRow("the clear key is another kind of button") << false << quint32(0x8080FF) << QStringList();
    QTest::newRow("target boxes") << true << quint32(TargetForeColor)
                                  << list("Text9 Text8 Text7 Text6 Text5 Text4 Text3 Text2");
}

void TestStartup::markerSearches()
{
    QFETCH(bool, textBoxes);
    QFETCH(quint32, marker);
    QFETCH(QStringList, found);
    World world;
    Form1 form(world.services());
    const QStringList names = textBoxes ? namesOf(form.textBoxesWithForeColor(marker))
                                        : namesOf(form.keysWithBackColor(marker));
    QCOMPARE(names, found);
    QVERIFY(!names.contains(QStringLiteral("CommandButton2")));
}

void TestStartup::stateAtCreation()
{
    World world;
    Form1 form(world.services()); // not loaded: the design values
    for (const TextBox *box : form.controlsOf<TextBox>()) {
        QCOMPARE(box->text(), box == form.Text15 ? QStringLiteral("180") : QString());
        QVERIFY2(box->isLocked(), qPrintable(box->objectName()));
    }
    for (const PushButton *key : form.controlsOf<PushButton>())
        QVERIFY2(key->isEnabled(), qPrintable(key->objectName()));
    QVERIFY(form.CommandButton2->isEnabled());
    QVERIFY(!form.Timer1->isEnabled());
    QCOMPARE(form.Timer1->interval(), 1000);

    const QStringList hidden{"Text12", "Text13", "Text18", "Image3", "Image4"};
    for (QObject *control : form.controls())
        if (auto *widget = qobject_cast<QWidget *>(control))
            QCOMPARE(widget->isHidden(), hidden.contains(widget->objectName()));

    // Client area 8970 x 5415 twips at 15 twips per pixel, neither resizable nor maximisable.
    QCOMPARE(form.minimumSize(), QSize(598, 361));
    QCOMPARE(form.maximumSize(), QSize(598, 361));
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    // Text16 is a window-level box that lies over the options frame and is drawn above it.
    QVERIFY(form.Frame2->geometry().contains(form.Text16->geometry().center()));
    QCOMPARE(form.childAt(form.Text16->geometry().center()), form.Text16);
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
}

void TestStartup::startUpPaths_data()
{
    QTest::addColumn<Stored>("stored");
    QTest::addColumn<bool>("resumes");
    QTest::addColumn<QStringList>("shown"); // Text12, Text13, Text14, Text16, Text17, Text18, Text15 if not "180"

    QTest::newRow("first start, no settings file") << Stored{} << false << QStringList{"", "0", "", "", "0", ""};
    QTest::newRow("first start: a stored score without a counter shows 0")
        << Stored{{"score", "5"}, {"Level", "2"}, {"reps", "20"}} << false << QStringList{"2", "0", "", "20", "0", ""};
    QTest::newRow("stored counter 0")
        << Stored{{"Level", "1.22"}, {"score", "0"}, {"maxnums", "500"}, {"cur", "0"}, {"nums", "171"}, {"reps", "20"}}
        << false << QStringList{"1.22", "0", "500", "20", "0", "171"};
    // A score no game could have left would fail at every solved exercise and at the end of
    // the next game: the game's score starts at 0 instead.
    QTest::newRow("stored counter 0 alone, no score") << Stored{{"cur", "0"}} << false
                                                      << QStringList{"", "0", "", "", "0", ""};
    QTest::newRow("stored counter 0, a score of 3") << Stored{{"score", "3"}, {"cur", "0"}} << false
                                                    << QStringList{"", "0", "", "", "0", ""};
    for (const char *score : {"", "x", "99999", "2.5", "-1"}) {
        Stored badScore = ValidGame;
        badScore["score"] = QString::fromLatin1(score);
        QTest::addRow("running game, score '%s' starts at 0", score)
            << badScore << true << QStringList{"1.5", "0", "100", "10", "3", "40"};
    }
    Stored fullScore = ValidGame;
    fullScore["score"] = "2"; // exercises 1 and 2 solved, the third in play
    QTest::newRow("running game, every exercise played so far solved")
        << fullScore << true << QStringList{"1.5", "2", "100", "10", "3", "40"};
    QTest::newRow("stored running game") << ValidGame << true << QStringList{"1.5", "2", "100", "10", "3", "40"};
    QTest::newRow("stored running game, negative range")
        << Stored{{"Level", "2.96"}, {"score", "0"}, {"maxnums", "-9999"}, {"cur", "300"}, {"nums", "-3363.5"}, {"reps", "300"}}
        << true << QStringList{"2.96", "0", "-9999", "300", "300", "-3363.5"};
    // Only the exact text "0" means no game: other spellings of zero resume. Regression: the
    // check for damaged values once took "00" and " 0" for damaged and dropped the game.
    Stored doubleZero = ValidGame;
    doubleZero["cur"] = "00";
    doubleZero["score"] = "0";
    QTest::newRow("stored counter 00 resumes") << doubleZero << true << QStringList{"1.5", "0", "100", "10", "00", "40"};
    Stored blankZero = ValidGame;
    blankZero["cur"] = " 0";
    blankZero["score"] = "0";
    QTest::newRow("stored counter ' 0' resumes") << blankZero << true << QStringList{"1.5", "0", "100", "10", " 0", "40"};
    // The time a parent chose for each exercise shows from the start, whole.
    const std::pair<const char *, const char *> times[] = {
        {"360", "360"}, {"1800", "1800"}, {"0", "∞"}, {"180", "180"}, {"600", "180"}, {"3600", "180"}, {"x", "180"}};
    for (const auto &[seconds, countdown] : times) {
        Stored game = ValidGame;
        game["Parents/secondsPerExercise"] = QString::fromLatin1(seconds);
        QTest::addRow("stored running game, %s seconds an exercise", seconds)
            << game << true << QStringList{"1.5", "2", "100", "10", "3", "40", QString::fromUtf8(countdown)};
    }
    QTest::newRow("first start, 30 minutes an exercise")
        << Stored{{"Parents/secondsPerExercise", "1800"}} << false << QStringList{"", "0", "", "", "0", "", "1800"};
}

void TestStartup::startUpPaths()
{
    QFETCH(Stored, stored);
    QFETCH(bool, resumes);
    QFETCH(QStringList, shown);
    World world;
    world.shipFont();
    world.installFont(); // keeps the first start's font step quiet
    storeAll(world, stored);
    const auto form = world.start();

    QVERIFY(!form->hasEnded());
    QVERIFY(world.messages.shown.empty());
    const QList<TextBox *> boxes{form->Text12, form->Text13, form->Text14, form->Text16, form->Text17, form->Text18, form->Text15};
    for (qsizetype i = 0; i < boxes.size(); ++i)
        QCOMPARE(boxes[i]->text(), shown.value(i, QStringLiteral("180")));
    if (form->Text15->text().size() > 3) // the design's own "180" is left as designed
        QVERIFY(form->Text15->fitsWhole(form->Text15->text()));
    // The hidden state boxes hold their values although they are never shown.
    QVERIFY(form->Text12->isHidden() && form->Text13->isHidden() && form->Text18->isHidden());
    QVERIFY(form->Text1->text().isEmpty());
    QVERIFY(!form->Timer1->isEnabled());

    if (resumes) {
        verifyDrawnExercise(*form);
        QVERIFY(form->Text14->isLocked());
        QVERIFY(form->Text16->isLocked());
    } else {
        verifyNoGame(*form);
    }
}

void TestStartup::firstStartFont_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("copied");
    QTest::addColumn<bool>("fallbackSizes");
    QTest::newRow("font already in the font folder") << "present" << false << false;
    QTest::newRow("copy fails: no font shipped beside the program") << "not shipped" << false << true;
    QTest::newRow("copy fails: the font folder's parent is missing") << "no folder" << false << true;
    QTest::newRow("copy succeeds") << "copy" << true << false;
    QTest::newRow("stored counter 0: no font step even with the font missing") << "cur 0" << false << false;
}

void TestStartup::firstStartFont()
{
    QFETCH(QString, setup);
    QFETCH(bool, copied);
    QFETCH(bool, fallbackSizes);
    World world;
    const QByteArray placeholder("a font that is already installed");
    if (setup != QLatin1String("not shipped"))
        world.shipFont();
    if (setup == QLatin1String("present")) {
        QFile present(fontFile(world.fonts.system));
        QVERIFY(present.open(QIODevice::WriteOnly));
        present.write(placeholder);
    }
    if (setup == QLatin1String("no folder"))
        world.fonts.system = world.dir.filePath(QStringLiteral("missing/parent/fonts"));
    if (setup == QLatin1String("cur 0"))
        world.store({{"cur", "0"}});

    Form1 design(world.services());
    const auto form = world.start();
    QVERIFY(!form->hasEnded());

    const QString target = fontFile(world.fonts.system);
    if (setup == QLatin1String("present"))
        QCOMPARE(fileContents(target), placeholder);
    else if (copied)
        QCOMPARE(fileContents(target), fileContents(shippedFontPath()));
    else
        QVERIFY(!QFile::exists(target));

    if (copied) {
        verifyOnlyMessage(world.messages, {MessageIcon::Information, MessageButtons::Ok, QStringLiteral("Numbolo"),
                                           QStringLiteral("Προκειμένου κάποιοι χαρακτήρες να εμφανίζονται σωστά, το "
                                                          "Numbolo εγκατέστησε πρόσθετες γραμματοσειρές στο σύστημά "
                                                          "σας. Αν οι αριθμοί δεν εμφανίζονται σωστά, επανεκκινήστε "
                                                          "το πρόγραμμα.")});
    } else {
        QVERIFY(world.messages.shown.empty());
    }

    const auto loaded = form->controlsOf<TextBox>();
    const auto designed = design.controlsOf<TextBox>();
    QCOMPARE(loaded.size(), designed.size());
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        const TextBox *box = loaded[i];
        const QString name = box->objectName();
        if (fallbackSizes) {
            const bool small = QStringList{"Text14", "Text15", "Text16", "Text17"}.contains(name);
            QCOMPARE(box->font().pointSizeF(), small ? 14.0 : 18.0);
            QVERIFY2(!box->font().bold(), qPrintable(name));
        } else {
            QCOMPARE(box->font().pointSizeF(), designed[i]->font().pointSizeF());
            QCOMPARE(box->font().bold(), designed[i]->font().bold());
        }
    }
}

void TestStartup::damagedStoredValues_data()
{
    // The settings hold a game that cannot be played: start with no game instead of failing
    // at every start.
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    const std::pair<const char *, const char *> rows[] = {
        {"Level", ""},   {"Level", "abc"}, {"Level", "1"},   {"Level", "0.5"}, {"reps", "9"},
        {"reps", "301"}, {"reps", "12.5"}, {"cur", "0.5"},   {"cur", "11"},    {"cur", "abc"},
        {"nums", "abc"}, {"nums", ""},     {"maxnums", "abc"}, {"maxnums", ""},
    };
    for (const auto &[key, text] : rows)
        QTest::addRow("%s '%s'", key, text) << QString::fromLatin1(key) << QString::fromLatin1(text);
}

void TestStartup::damagedStoredValues()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    World world;
    world.shipFont();
    world.installFont();
    Stored stored = ValidGame;
    stored[key] = text;
    storeAll(world, stored);
    const auto form = world.start();

    QVERIFY(!form->hasEnded());
    QVERIFY(world.messages.shown.empty());
    verifyNoGame(*form);
    const std::pair<const char *, TextBox *> others[] = {{"Level", form->Text12}, {"score", form->Text13},
                                                         {"maxnums", form->Text14}, {"nums", form->Text18},
                                                         {"reps", form->Text16}};
    // It starts clean: no game and no score, which the next game would otherwise carry on from.
    QCOMPARE(form->Text13->text(), QStringLiteral("0"));
    for (const auto &[name, box] : others)
        if (box != form->Text13)
            QCOMPARE(box->text(), stored.value(QString::fromLatin1(name)));
}

void TestStartup::storedLevelInTheUserLocale_data()
{
    // Stored numbers read whichever of "," and "." is their decimal separator: a game saved
    // under Greek number settings resumes under English or C ones, and back.
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("resumes");
    const QLocale greek(QLocale::Greek, QLocale::Greece);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("Greek decimal comma") << greek << "1,22" << "1,22" << true;
    QTest::newRow("saved under C, read in Greek") << greek << "1.22" << "1,22" << true;
    QTest::newRow("C decimal point") << QLocale::c() << "1.22" << "1.22" << true;
    QTest::newRow("saved in Greek, read under C") << QLocale::c() << "1,22333333333333" << "1.22333333333333" << true;
    QTest::newRow("saved in Greek, read in English") << english << "1,22" << "1.22" << true;
    QTest::newRow("saved in Persian, read in English") << english << "1\u066B22" << "1.22" << true;
    QTest::newRow("both separators: no number") << english << "1.222,5" << "1.222,5" << false;
}

void TestStartup::storedLevelInTheUserLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, level);
    QFETCH(QString, shown);
    QFETCH(bool, resumes);
    QLocale::setDefault(locale);
    World world;
    world.shipFont();
    world.installFont();
    Stored stored = ValidGame;
    stored["Level"] = level;
    stored["nums"] = locale.decimalPoint() == QLatin1String(",") ? "40.5" : "40,5";
    storeAll(world, stored);
    const auto form = world.start();

    verifyStartedFromLevel(world, *form, shown, resumes);
    if (resumes) {
        QCOMPARE(form->Text18->text(), QString(QStringLiteral("40") + locale.decimalPoint() + QStringLiteral("5")));
        // The game goes on from there: the next exercise reads the level and range as numbers.
        QCOMPARE(form->AdvanceExercise(), Advance::NextExercise);
        QCOMPARE(form->Text17->text(), QStringLiteral("4"));
    }
}

void TestStartup::handWrittenSettingsFile_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("level");
    QTest::addColumn<bool>("resumes");
    const QLocale greek(QLocale::Greek, QLocale::Greece);
    const QByteArray game("score=2\nmaxnums=100\ncur=3\nnums=40\nreps=10\n");
    QTest::newRow("plain values") << QLocale::c() << "[Str]\nLevel=1.5\n" + game << "1.5" << true;
    QTest::newRow("Greek decimal comma, unquoted") << greek << "[Str]\nLevel=1,22\n" + game << "1,22" << true;
    QTest::newRow("Greek decimal comma, quoted") << greek << "[Str]\nLevel=\"1,22\"\n" + game << "1,22" << true;
    QTest::newRow("keys are case-sensitive") << QLocale::c() << "[Str]\nlevel=1.5\n" + game << "" << false;
    QTest::newRow("another section") << QLocale::c() << "[Other]\nLevel=1.5\n" + game << "" << false;
    QTest::newRow("blanks, a trailing comment, Windows line breaks")
        << QLocale::c() << QByteArray("\xEF\xBB\xBF; saved\r\n[Str]\r\nLevel = 1.5 ; level\r\n") + game << "1.5" << true;
    QTest::newRow("the last of two values counts") << QLocale::c() << "[Str]\nLevel=9\n" + game + "Level=1.5\n"
                                                  << "1.5" << true;
    QTest::newRow("escapes, as Qt writes them") << QLocale::c() << "[Str]\nLevel=\"1\\x2e\" \\\n5\n" + game << "1.5"
                                               << true;
}

void TestStartup::handWrittenSettingsFile()
{
    // A settings file edited by hand resumes its game when its values can make one.
    QFETCH(QLocale, locale);
    QFETCH(QByteArray, file);
    QFETCH(QString, level);
    QFETCH(bool, resumes);
    QLocale::setDefault(locale);
    World world;
    world.shipFont();
    world.installFont();
    QVERIFY(QDir().mkpath(QFileInfo(world.settings.path).absolutePath()));
    QFile ini(world.settings.path);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(file);
    ini.close();
    const auto form = world.start();

    verifyStartedFromLevel(world, *form, level, resumes);
}

void TestStartup::designFontsUseTheirFirstInstalledStandIn_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<QString>("standIn");
    QTest::newRow("keys and captions") << "Comic Sans MS" << "Andika";
    // Regression: Z003 is listed as "Z003 [urw]" and was missed, so "i" fell back to a serif.
    QTest::newRow("about label") << "Monotype Corsiva" << "Z003";
    QTest::newRow("hidden boxes and the window") << "MS Sans Serif" << "DejaVu Sans";
}

void TestStartup::designFontsUseTheirFirstInstalledStandIn()
{
    QFETCH(QString, design);
    QFETCH(QString, standIn);
    if (QFontDatabase::hasFamily(design))
        QSKIP("the design font itself is installed here");
    if (!QFontDatabase::hasFamily(standIn))
        QSKIP("the stand-in font is not installed here");
    QCOMPARE(installedFamily(design), standIn);
    World world;
    auto form = world.start();
    if (design == QLatin1String("Monotype Corsiva"))
        QVERIFY(QFontInfo(form->Label4->font()).family().startsWith(standIn));
    // The window's own font, set once its controls are made.
    if (design == QLatin1String("MS Sans Serif"))
        QCOMPARE(form->font().family(), standIn);
}

void TestStartup::oneCopyPerSettingsFile_data()
{
    QTest::addColumn<QString>("other");  // what another copy left beside the settings file
    QTest::addColumn<bool>("link");      // this start reaches the settings through a link
    QTest::addColumn<bool>("bus");       // the copies have a session bus
    QTest::addColumn<bool>("starts");
    QTest::addColumn<bool>("told");      // this start says that the game is open
    QTest::newRow("a copy runs: it is asked to the front") << "running" << false << true << false << false;
    QTest::newRow("a copy runs on the file this link names") << "running" << true << true << false << false;
    // Regression: a copy answered only once its load, and its first message, had ended, so a
    // start meanwhile took its lock over and ran beside it.
    QTest::newRow("a copy at its first start's message is asked, and shows its window once up")
        << "first start" << false << true << false << false;
    QTest::newRow("a copy whose window was minimized is asked, and shows it again")
        << "first start, minimized" << false << true << false << false;
    // Regression: with a read-only settings folder every start opened another window.
    QTest::newRow("a copy that could make no lock file is asked on the bus")
        << "running, no lock file" << false << true << false << false;
    // Without a bus the running copy cannot be asked: the child is told that the game is open.
    QTest::newRow("a copy runs, no session bus to ask it") << "running" << false << false << false << true;
    // A live copy is never taken over: one that hangs, or one of another session's bus.
    QTest::newRow("a copy on the bus that does not answer") << "hanging" << false << true << false << true;
    QTest::newRow("a copy of this computer that is not on this bus") << "other bus" << false << true << false << true;
    QTest::newRow("the lock of a killed copy") << "killed" << false << false << true << false;
    QTest::newRow("an empty lock, from a kill while the lock was made") << "empty" << false << false << true << false;
    // Regression: in a sandbox or a container every start has the same process id, and the lock
    // of a copy killed there kept every later start out.
    QTest::newRow("the lock of a killed copy that had this process's id")
        << "killed, this process's id" << false << false << true << false;
    // Homes shared between computers: a copy elsewhere cannot be reached, so its heartbeat (the
    // lock file touched) tells whether it runs. Regression: a live copy's lock was taken over.
    QTest::newRow("the lock of a copy on another computer") << "other computer" << false << false << false << true;
    QTest::newRow("the lock of another computer of this host name")
        << "other machine, same name" << false << false << false << true;
    QTest::newRow("the lock of another computer, untouched for just under the stale time")
        << "other computer, silent -10 s" << false << false << false << true;
    QTest::newRow("the lock of another computer, untouched for just over the stale time: taken over")
        << "other computer, silent +10 s" << false << false << true << false;
    // The running copy touches its lock, and makes it again where another copy removed it.
    QTest::newRow("a running copy keeps its lock alive") << "heartbeat" << false << false << true << false;
    // Regression: a copy whose stale lock was taken over removed the new owner's lock as it ended.
    QTest::newRow("a copy taken over ends, leaving the new owner's lock and progress") << "taken over" << false << false << true << false;
    // Regression: one that had its name on the bus crashed as it ended.
    QTest::newRow("a copy taken over ends, leaving the new owner's lock and progress, and its name on the bus")
        << "taken over" << false << true << true << false;
    // Its computer woke before its next beat was due: the child closes the window first.
    QTest::newRow("a copy taken over, closed before its next beat, saves nothing")
        << "taken over, closed" << false << false << true << false;
    QTest::newRow("a folder in the lock's place") << "folder" << false << false << true << false;
    QTest::newRow("a read-only settings folder: no lock file, the name on the bus")
        << "read-only folder" << false << true << true << false;
    // Regression: a copy that ended while its folder was read-only could not remove its lock, and
    // every later start said that the game was open.
    QTest::newRow("the lock of a killed copy that a read-only folder keeps")
        << "killed, read-only folder" << false << true << true << false;
}

namespace {

// A lock file as a copy in this process makes it, after which the file is gone.
QByteArray lockAsMade(const QString &lockPath)
{
    QLockFile made(lockPath);
    return made.tryLock(0) ? fileContents(lockPath) : QByteArray();
}

} // namespace

void TestStartup::oneCopyPerSettingsFile()
{
    // Two copies on the same settings would overwrite each other's progress: a second start
    // brings the running copy's window to the front and ends.
    QFETCH(QString, other);
    QFETCH(bool, link);
    QFETCH(bool, bus);
    QFETCH(bool, starts);
    QFETCH(bool, told);

    // The copies meet on a session bus of the test's own, each copy on a connection of its own
    // as two processes would be; without one they are given a connection that is not there.
    QProcess daemon;
    const QString startBus = QStringLiteral("numbolo-start"), ownerBus = QStringLiteral("numbolo-owner");
    auto stopBus = qScopeGuard([&] {
        QDBusConnection::disconnectFromBus(startBus);
        QDBusConnection::disconnectFromBus(ownerBus);
        daemon.kill();
        daemon.waitForFinished();
    });
    if (bus) {
        daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                     QStringLiteral("--print-address")});
        if (!daemon.waitForStarted() || !daemon.waitForReadyRead())
            QSKIP("no dbus-daemon here to run a session bus");
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        QVERIFY(QDBusConnection::connectToBus(address, startBus).isConnected());
        QVERIFY(QDBusConnection::connectToBus(address, ownerBus).isConnected());
    }
    World world;
    world.shipFont();
    world.installFont();
    if (!other.startsWith(QLatin1String("first start")))
        storeAll(world, ValidGame);
    if (link) {
        const QString file = world.settings.path;
        world.settings.path = world.dir.filePath(QStringLiteral("linked.ini"));
        QVERIFY(QFile::link(file, world.settings.path));
    }
    const QByteArray before = fileContents(world.settings.path);

    // The running copy answers from an event loop of its own, as another process would.
    QThread owner;
    owner.start();
    QObject ownerContext;
    ownerContext.moveToThread(&owner);
    InstanceLock *running = nullptr;
    std::atomic<int> asked = 0;
    QSemaphore hang;
    const auto inOwner = [&](auto &&work) { QMetaObject::invokeMethod(&ownerContext, work, Qt::BlockingQueuedConnection); };
    auto stopOwner = qScopeGuard([&] {
        hang.release();
        inOwner([&] { delete running; });
        owner.quit();
        owner.wait();
    });
    const QString lockPath = StoredSettings::lockPath(world.settings.path);
    // A copy that does not answer is waited for a moment, not the real second and a half; one
    // that answers is given the time a loaded machine may take to carry its answer.
    const HandOver handOver{startBus, other == QLatin1String("hanging") ? 100 : 10000};
    // What this row leaves queued dies with it, also when a check ends it early.
    QObject row;
    if (other.startsWith(QLatin1String("running")) || other == QLatin1String("hanging")
        || other == QLatin1String("other bus")) {
        if (other == QLatin1String("running, no lock file"))
            QVERIFY(QDir().mkpath(lockPath));
        InstanceLock::Claim claimed = InstanceLock::Claim::AlreadyOpen;
        inOwner([&] {
            running = new InstanceLock(lockPath, {other == QLatin1String("other bus") ? QStringLiteral("none") : ownerBus, 100});
            connect(running, &InstanceLock::showRequested, running, [&asked] { ++asked; }, Qt::DirectConnection);
            claimed = running->claim();
        });
        QCOMPARE(claimed, InstanceLock::Claim::Ours);
        if (other == QLatin1String("hanging"))
            QMetaObject::invokeMethod(&ownerContext, [&hang] { hang.acquire(); });
    } else if (other.startsWith(QLatin1String("killed")) || other.startsWith(QLatin1String("other"))) {
        // A lock as a copy writes it, with the id of a process that no longer exists (or this
        // process's own), or as a copy on another computer writes it, with an id that a process
        // here has.
        QList<QByteArray> lines = lockAsMade(lockPath).split('\n');
        if (other.startsWith(QLatin1String("killed"))) {
            if (!other.endsWith(QLatin1String("this process's id")))
                lines[0] = "2147483646";
        } else if (other.startsWith(QLatin1String("other computer"))) {
            lines[2] = "school-pc-07";
            lines = lines.mid(0, 3) << QByteArray(); // as Qt before 5.10 wrote it: no machine id
        } else {
            lines[3] = "0123456789abcdef0123456789abcdef";
        }
        QFile file(lockPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lines.join('\n'));
        file.flush();
        if (other.contains(QLatin1String("silent"))) {
            const qint64 beyond = other.section(QLatin1Char(' '), -2, -2).toLongLong() * 1000;
            QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addMSecs(-InstanceLock::StaleAfterMs - beyond),
                                     QFileDevice::FileModificationTime));
        }
    }
    if (other.endsWith(QLatin1String("read-only folder"))) {
        const QString folder = QFileInfo(lockPath).absolutePath();
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(folder).isWritable())
            QSKIP("This user (root) writes into any folder.");
    } else if (other == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(lockPath));
    } else if (other == QLatin1String("empty")) {
        QFile file(lockPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    bool shown = false;
    bool lockKept = false;
    const auto closeWindow = [&](Form1 *form) {
        if (other.endsWith(QLatin1String("read-only folder"))) // the game's save finds it writable
            QFile::setPermissions(QFileInfo(lockPath).absolutePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // What the running copy did to its lock, checked once its window is closed.
        if (other == QLatin1String("heartbeat")) {
            // Untouched since long ago, then a beat; removed, then a beat.
            const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-1);
            QFile file(lockPath);
            if (file.open(QIODevice::ReadWrite) && file.setFileTime(old, QFileDevice::FileModificationTime)) {
                file.close();
                world.clock.advance(InstanceLock::HeartbeatMs);
                const bool touched = QFileInfo(lockPath).lastModified() > old.addSecs(3600);
                const QByteArray ours = fileContents(lockPath);
                QFile::remove(lockPath);
                world.clock.advance(InstanceLock::HeartbeatMs);
                lockKept = touched && fileContents(lockPath) == ours;
            }
        } else if (other.startsWith(QLatin1String("taken over"))) {
            // The other copy took the lock and the settings over: this one ends at its next beat
            // and writes nothing over that copy's progress.
            shown = form->isVisible();
            QFile::remove(lockPath);
            QList<QByteArray> lines = lockAsMade(lockPath).split('\n');
            lines[2] = "school-pc-07";
            QFile file(lockPath), settings(world.settings.path);
            if (settings.open(QIODevice::WriteOnly) && settings.write("[General]\ncur=7\n") > 0 && settings.flush()
                && file.open(QIODevice::WriteOnly)) {
                file.write(lines.join('\n'));
                file.close();
                if (other.endsWith(QLatin1String("closed"))) {
                    world.clock.advance(1000); // what the copy did last is a second old
                    form->close();
                }
                else
                    world.clock.advance(InstanceLock::HeartbeatMs);
                lockKept = fileContents(lockPath) == lines.join('\n') && form->hasEnded() && !form->isVisible();
            }
            if (!form->hasEnded())
                form->close();
            return;
        }
        if (form != nullptr) {
            shown = form->isVisible();
            form->close();
        }
    };
    if (other.startsWith(QLatin1String("first start"))) {
        // The other copy is a first start in this process, on a fresh home: this start comes
        // while that copy's message about the font is open, before its window exists.
        World first;
        first.shipFont();
        first.settings.path = world.settings.path;
        Form1 *firstWindow = nullptr;
        int status = -1, laterStatus = -1;
        bool firstShown = false;
        first.messages.whileOpen = [&](const Message &) {
            firstWindow = runningWindow();
            // A window this start wrongly opened is closed, so that the test goes on.
            QTimer::singleShot(0, &row, [&] {
                if (Form1 *form = runningWindow(); form != nullptr && form != firstWindow)
                    closeWindow(form);
            });
            status = runGame(world.services(), handOver);
            // Once the first copy's window is up, a later start is answered by it, then it ends.
            QTimer::singleShot(0, &row, [&] {
                firstShown = firstWindow->isVisible();
                if (other.endsWith(QLatin1String("minimized")))
                    firstWindow->showMinimized();
                laterStatus = runGame(world.services(), handOver);
                firstShown = firstShown && !firstWindow->isMinimized();
                firstWindow->close();
            });
        };
        QCOMPARE(runGame(first.services(), {ownerBus, 100}), 0);
        QCOMPARE(first.messages.shown.size(), std::size_t(1));
        QCOMPARE(status, 0);
        QCOMPARE(laterStatus, 0);
        QVERIFY(firstShown);
        QVERIFY(!shown);
        QVERIFY(world.messages.shown.empty());
        // Its end leaves nothing behind that keeps the next start from running.
        QVERIFY(!QFile::exists(lockPath));
        QTimer::singleShot(0, &row, [&] { closeWindow(runningWindow()); });
        QCOMPARE(runGame(world.services(), handOver), 0);
        QVERIFY(shown);
        return;
    }
    QTimer::singleShot(0, &row, [&] { closeWindow(runningWindow()); });
    QCOMPARE(runGame(world.services(), handOver), 0);

    QCOMPARE(shown, starts);
    if (other.startsWith(QLatin1String("taken over"))) {
        verifyOnlyMessage(world.messages, {MessageIcon::Information, MessageButtons::Ok, QStringLiteral("Numbolo"),
                                           QStringLiteral("Το Numbolo άνοιξε σε άλλον υπολογιστή και το παιχνίδι συνεχίζεται "
                                                          "εκεί. Αυτό το παράθυρο κλείνει χωρίς να αποθηκεύσει.")});
        QCOMPARE(fileContents(world.settings.path), QByteArray("[General]\ncur=7\n"));
    } else if (told)
        verifyOnlyMessage(world.messages, {MessageIcon::Information, MessageButtons::Ok, QStringLiteral("Numbolo"),
                                           QStringLiteral("Το Numbolo είναι ήδη ανοιχτό.")});
    else
        QVERIFY(world.messages.shown.empty());
    if (starts) {
        QCOMPARE(asked.load(), 0);
        if (other == QLatin1String("folder"))
            QVERIFY(QFileInfo(lockPath).isDir()); // kept: it may hold what someone put there
        else if (other.startsWith(QLatin1String("taken over")))
            QVERIFY(lockKept && fileContents(lockPath).contains("school-pc-07")); // the new owner's
        else if (other == QLatin1String("heartbeat"))
            QVERIFY(lockKept && !QFile::exists(lockPath));
        else if (other != QLatin1String("killed, read-only folder")) // the dead copy's goes once it can
            QVERIFY(!QFile::exists(lockPath)); // released at the end
        return;
    }
    QCOMPARE(fileContents(world.settings.path), before);
    QTRY_COMPARE(asked.load(), bus && !told ? 1 : 0);
    QVERIFY(QFile::exists(lockPath)); // a live copy's lock is never deleted
}

void TestStartup::installedFamilies_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("added"); // the program adds the display face first
    QTest::addColumn<bool>("installed");
    QTest::newRow("installed") << "DejaVu Sans" << false << true;
    QTest::newRow("other case") << "dejavu SANS" << false << true;
    // Listed as "Z003 [urw]" where two foundries name a family alike.
    QTest::newRow("listed with its foundry") << "Z003" << false << true;
    QTest::newRow("missing") << "No Such Family 42" << false << false;
    QTest::newRow("added by the program") << "DS-Digital" << true << true;
}

void TestStartup::installedFamilies()
{
    QFETCH(QString, family);
    QFETCH(bool, added);
    QFETCH(bool, installed);
    if (!added && !family.startsWith(QLatin1String("No ")) && !QFontDatabase::hasFamily(family))
        QSKIP("the font is not installed here");
    if (added && familyInstalled(family))
        QSKIP("the display face is installed on this machine already");
    const int id = added ? QFontDatabase::addApplicationFont(shippedFontPath()) : -1;
    QCOMPARE(familyInstalled(family), installed);
    if (added) {
        // The families are listed again when the font goes as well as when it comes.
        QVERIFY(QFontDatabase::removeApplicationFont(id));
        QVERIFY(!familyInstalled(family));
    }
}

void TestStartup::hiddenBoxShowsItsFont_data()
{
    QTest::addColumn<bool>("show"); // shown, or only painted into a picture while hidden
    QTest::newRow("shown") << true;
    QTest::newRow("painted while hidden") << false;
}

void TestStartup::hiddenBoxShowsItsFont()
{
    QFETCH(bool, show);
    const QFont font = designFont(QStringLiteral("MS Sans Serif"), 20, true);
    const auto make = [&](bool hidden) {
        auto box = std::make_unique<TextBox>(nullptr);
        box->resize(120, 40);
        box->setHidden(hidden);
        box->setFont(font); // a hidden box lays its text out in it only later
        box->setText(QStringLiteral("180"));
        return box;
    };
    auto reference = make(false);
    auto box = make(true);
    QCOMPARE(box->font(), font);
    if (show) {
        reference->show();
        box->show();
        // Laid out before any paint: where the text ends, for input methods and screen readers.
        QCOMPARE(box->inputMethodQuery(Qt::ImCursorRectangle), reference->inputMethodQuery(Qt::ImCursorRectangle));
    }
    QCOMPARE(box->grab().toImage(), reference->grab().toImage());

    // Pictures too are parsed only when first needed: a hidden one at start-up costs nothing.
    World world;
    auto form = world.start();
    QVERIFY(form->Image3->isHidden());
    QVERIFY(form->Image3->findChild<QSvgRenderer *>() == nullptr);
    form->Image3->grab();
    QVERIFY(form->Image3->findChild<QSvgRenderer *>() != nullptr);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
