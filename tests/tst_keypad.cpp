// The keypad: character keys append to the display, "<X" shortens it, "Cl" clears it, digits
// 1 to 9 start the countdown, and keys that cannot be reached do nothing.

#include "app/setup.h"
#include "game/form1.h"
#include "tests/fakes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <algorithm>

using namespace numbolo;
using namespace numbolo::testing;

namespace {

QAbstractButton *keyNamed(Form1 &form, const QString &name)
{
    auto *key = form.findChild<QAbstractButton *>(name);
    if (key == nullptr)
        qFatal("no key %s", qPrintable(name));
    return key;
}

// Clicks "=" after clicking the keys that type `expression`.
void typeAndEvaluate(Form1 &form, const QString &expression)
{
    static const QHash<QChar, QString> keyFor{
        {u'+', QStringLiteral("Command13")}, {u'-', QStringLiteral("Command12")},
        {u'*', QStringLiteral("Command11")}, {u'/', QStringLiteral("Command10")},
    };
    for (const QChar c : expression)
        click(keyNamed(form, c.isDigit() ? QStringLiteral("Command%1").arg(c) : keyFor.value(c)));
    click(form.Command17);
}

} // namespace

class TestKeypad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void characterKeyAppends_data();
    void characterKeyAppends();
    void backspace_data();
    void backspace();
    void clearKeepsCountdownAndTargets_data();
    void clearKeepsCountdownAndTargets();
    void keysAppendToResult();
    void keyAppendsToLongDisplay();
    void unreachableKeysIgnoreClicks_data();
    void unreachableKeysIgnoreClicks();
    void typedKeyPressesItsKey_data();
    void typedKeyPressesItsKey();
};

void TestKeypad::initTestCase()
{
    setupApplication();
}

void TestKeypad::characterKeyAppends_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("appends");
    QTest::addColumn<bool>("startsCountdown");
    QTest::addColumn<QString>("heard"); // the display read back, after "12*3"
    QTest::newRow("0") << "Command0" << "0" << false << "12 επί 30";
    for (int digit = 1; digit <= 9; ++digit)
        QTest::addRow("%d", digit) << QStringLiteral("Command%1").arg(digit) << QString::number(digit) << true
                                   << QStringLiteral("12 επί 3%1").arg(digit);
    QTest::newRow("/") << "Command10" << "/" << false << "12 επί 3 διά";
    QTest::newRow("x inserts *") << "Command11" << "*" << false << "12 επί 3 επί";
    QTest::newRow("-") << "Command12" << "-" << false << "12 επί 3 μείον";
    QTest::newRow("+") << "Command13" << "+" << false << "12 επί 3 συν";
    QTest::newRow(".") << "Command14" << "." << false << "12 επί 3 κόμμα";
    QTest::newRow("(") << "Command15" << "(" << false << "12 επί 3 ανοίγει παρένθεση";
    QTest::newRow(")") << "Command16" << ")" << false << "12 επί 3 κλείνει παρένθεση";
    QTest::newRow("x^y inserts ^") << "Command20" << "^" << false << "12 επί 3 στη δύναμη";
}

void TestKeypad::characterKeyAppends()
{
    QFETCH(QString, key);
    QFETCH(QString, appends);
    QFETCH(bool, startsCountdown);
    QFETCH(QString, heard);

    // With the countdown stopped before it started, paused at 57 seconds and running: keys
    // other than 1 to 9 leave it as it was, and only a digit that resumes it says so. Each key
    // reads the display back once.
    for (const char *before : {"stopped", "paused", "running"}) {
        Started s;
        Form1 &form = *s.form;
        enableAllKeys(form);
        form.Text1->setText(QStringLiteral("12*3"));
        form.Text1->setCursorPosition(0); // the key appends at the end whatever the caret
        const bool runningBefore = before == QLatin1String("running");
        const bool paused = before == QLatin1String("paused");
        if (paused) {
            form.Timer1->setEnabled(true);
            s.world.clock.advance(123'000);
            form.Timer1->setEnabled(false);
            QCOMPARE(form.Text15->text(), QStringLiteral("57"));
            s.world.announcer.said.clear(); // the minute left, heard on the way
        }
        form.Timer1->setEnabled(runningBefore);

        click(keyNamed(form, key));

        QCOMPARE(form.Text1->text(), QStringLiteral("12*3") + appends);
        QCOMPARE(form.Timer1->isEnabled(), runningBefore || startsCountdown);
        QVERIFY(s.world.messages.shown.empty());
        QCOMPARE(s.world.announcer.echoed, std::vector<QString>{heard});
        const std::vector<QString> resumed{QStringLiteral("Το χρονόμετρο συνεχίζει. Απομένουν 57 δευτερόλεπτα.")};
        QCOMPARE(s.world.announcer.said, paused && startsCountdown ? resumed : std::vector<QString>{});
    }
}

void TestKeypad::backspace_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("heard");
    QTest::newRow("12+3") << "12+3" << "12+" << "12 συν";
    QTest::newRow("one character") << "7" << "" << "Άδεια οθόνη";
    QTest::newRow("empty stays empty") << "" << "" << "Άδεια οθόνη";
    QTest::newRow("result with a point") << "3.5" << "3." << "3 κόμμα";
    QTest::newRow("negative, in brackets") << "(-45)*" << "(-45)" << "ανοίγει παρένθεση μείον 45 κλείνει παρένθεση";
}

void TestKeypad::backspace()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, heard);
    Started s;
    Form1 &form = *s.form;
    form.Text1->setText(before);

    click(form.Command18);

    QCOMPARE(form.Text1->text(), after);
    QCOMPARE(s.world.announcer.echoed, std::vector<QString>{heard});
    // An empty display is no error: no message, and the program goes on.
    QVERIFY(s.world.messages.shown.empty());
    QVERIFY(!form.hasEnded());
    QVERIFY(!form.Timer1->isEnabled());
}

void TestKeypad::clearKeepsCountdownAndTargets_data()
{
    QTest::addColumn<bool>("countdownRunning");
    QTest::newRow("countdown running") << true;
    QTest::newRow("countdown stopped") << false;
}

void TestKeypad::clearKeepsCountdownAndTargets()
{
    QFETCH(bool, countdownRunning);
    Started s;
    Form1 &form = *s.form;
    const QStringList targets{"12", "7", "", "305", "0", "", "41", "9"};
    setTargets(form, targets);
    form.Text15->setText(QStringLiteral("163"));
    form.Text1->setText(QStringLiteral("12+3"));
    form.Timer1->setEnabled(countdownRunning);

    click(form.CommandButton2);

    QCOMPARE(form.Text1->text(), QString());
    QCOMPARE(s.world.announcer.echoed, std::vector<QString>{QStringLiteral("Άδεια οθόνη")});
    QCOMPARE(form.Timer1->isEnabled(), countdownRunning);
    QCOMPARE(form.Text15->text(), QStringLiteral("163"));
    QStringList after;
    for (TextBox *box : form.targetBoxesByName())
        after << box->text();
    QCOMPARE(after, targets);
}

void TestKeypad::keysAppendToResult()
{
    Started s;
    Form1 &form = *s.form;
    enableAllKeys(form);

    typeAndEvaluate(form, QStringLiteral("7+8"));
    QCOMPARE(form.Text1->text(), QStringLiteral("15"));
    click(form.Command13);
    click(form.Command2);
    QCOMPARE(form.Text1->text(), QStringLiteral("15+2"));
}

void TestKeypad::keyAppendsToLongDisplay()
{
    // Guards the line edit's default limit of 32767 characters, which silently cut the display
    // and made every further key do nothing; the display has no length limit of its own.
    Started s;
    Form1 &form = *s.form;
    enableAllKeys(form);
    const QString longText = QStringLiteral("1+").repeated(20'000);
    form.Text1->setText(longText);
    QCOMPARE(form.Text1->text().size(), longText.size());

    click(form.Command5);

    QCOMPARE(form.Text1->text().size(), longText.size() + 1);
    QVERIFY(form.Text1->text().endsWith(QLatin1String("+5")));
}

void TestKeypad::unreachableKeysIgnoreClicks_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("blockedBy");
    QTest::addColumn<Way>("way");
    const QStringList keys{"Command0", "Command5", "Command9", "Command10", "Command11", "Command12",
                           "Command13", "Command14", "Command15", "Command16", "Command20", "Command17",
                           "Command18", "CommandButton2"};
    // Every way in meets the same rules: a screen reader's press or a click from code used to
    // get past a disabled frame and the disabled window.
    for (const Way way : {Way::Mouse, Way::Keyboard, Way::AccessiblePress, Way::ProgrammaticClick, Way::Typed})
        for (const char *blockedBy : {"key disabled", "Frame1 disabled", "success window open", "success window over the results",
                                      "message box open"})
            for (const QString &key : keys)
                QTest::addRow("%s, %s, %s", qPrintable(key), blockedBy, qPrintable(wayName(way)))
                    << key << QString::fromLatin1(blockedBy) << way;
}

void TestKeypad::unreachableKeysIgnoreClicks()
{
    QFETCH(QString, key);
    QFETCH(QString, blockedBy);
    QFETCH(Way, way);
    Started s(std::map<QString, QString>{{"keyboardTyping", "true"}});
    Form1 &form = *s.form;
    enableAllKeys(form);
    // A game in its last target, so that "=" on the display would hit and complete it.
    form.Text17->setText(QStringLiteral("1"));
    form.Text13->setText(QStringLiteral("0"));
    setTargets(form, {"5"});
    form.Text1->setText(QStringLiteral("2+3"));

    QAbstractButton *button = keyNamed(form, key);
    if (blockedBy == QLatin1String("key disabled")) {
        button->setEnabled(false);
    } else if (blockedBy == QLatin1String("Frame1 disabled")) {
        form.Frame1->setFrameEnabled(false);
    } else if (blockedBy.startsWith(QLatin1String("success window"))) {
        click(form.Command17);
        QVERIFY(form.successWindow() != nullptr);
        QVERIFY(!form.isFormEnabled());
        // After the last exercise the window stays open over the results.
        form.Frame1->setFrameEnabled(!blockedBy.endsWith(QLatin1String("results")));
        // The same starting point again, now behind the open success window.
        form.Text13->setText(QStringLiteral("0"));
        setTargets(form, {"5"});
        form.Text1->setText(QStringLiteral("2+3"));
        s.world.sound.played.clear();
    }
    Form3 *const success = form.successWindow();

    if (blockedBy == QLatin1String("message box open")) {
        // The key is used while a message box of the game is open (the restart question).
        s.world.messages.whileOpen = [&](const Message &) { activate(button, way); };
        s.world.messages.answers = {MessageAnswer::No};
        click(form.Image5);
        QCOMPARE(s.world.messages.shown.size(), std::size_t(1));
    } else {
        activate(button, way);
    }

    QCOMPARE(form.Text1->text(), QStringLiteral("2+3"));
    QCOMPARE(form.Text2->text(), QStringLiteral("5"));
    QCOMPARE(form.Text13->text(), QStringLiteral("0"));
    QVERIFY(!form.Timer1->isEnabled());
    QVERIFY(s.world.sound.played.empty());
    QCOMPARE(form.successWindow(), success);
    QVERIFY(s.world.announcer.echoed.empty());
    // Only a frame disabled as at the end of a game tells why the key did nothing; behind the
    // success window or a question the child is where the keyboard is.
    const auto over = std::count_if(s.world.announcer.said.begin(), s.world.announcer.said.end(),
                                    [](const QString &text) { return text.startsWith(QStringLiteral("Το παιχνίδι τελείωσε.")); });
    QCOMPARE(over, blockedBy == QLatin1String("Frame1 disabled") ? 1 : 0);
    // A key typed on the keyboard cannot be seen to be off: the child hears it.
    const auto off = std::count(s.world.announcer.said.begin(), s.world.announcer.said.end(),
                                button->accessibleName() + QStringLiteral(". Δεν δουλεύει σε αυτή την άσκηση."));
    QCOMPARE(off, way == Way::Typed && blockedBy == QLatin1String("key disabled") ? 1 : 0);
}

void TestKeypad::typedKeyPressesItsKey_data()
{
    QTest::addColumn<bool>("typing"); // the parent's setting
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown"); // the display after the key, from "3*4"
    const int none = Qt::NoModifier, pad = Qt::KeypadModifier, shift = Qt::ShiftModifier;
    for (int digit = 0; digit <= 9; ++digit) {
        const QString d = QString::number(digit);
        QTest::addRow("%d", digit) << true << "Text1" << Qt::Key_0 + digit << none << d << "3*4" + d;
        QTest::addRow("%d on the numeric keypad", digit) << true << "Text1" << Qt::Key_0 + digit << pad << d << "3*4" + d;
    }
    const std::tuple<const char *, int, int, const char *, const char *> others[] = {
        {"/", Qt::Key_Slash, none, "/", "3*4/"},           {"/ on the numeric keypad", Qt::Key_Slash, pad, "/", "3*4/"},
        {"* on the numeric keypad", Qt::Key_Asterisk, pad, "*", "3*4*"}, {"* with Shift", Qt::Key_Asterisk, shift, "*", "3*4*"},
        {"x", Qt::Key_X, none, "x", "3*4*"},                {"X", Qt::Key_X, shift, "X", "3*4*"},
        {"Greek chi", 0x3a7, none, "χ", "3*4*"},            {"-", Qt::Key_Minus, none, "-", "3*4-"},
        {"- on the numeric keypad", Qt::Key_Minus, pad, "-", "3*4-"}, {"+ with Shift", Qt::Key_Plus, shift, "+", "3*4+"},
        {"+ on the numeric keypad", Qt::Key_Plus, pad, "+", "3*4+"}, {".", Qt::Key_Period, none, ".", "3*4."},
        {"decimal key, point", Qt::Key_Period, pad, ".", "3*4."}, {"decimal key, comma", Qt::Key_Comma, pad, ",", "3*4."},
        {"(", Qt::Key_ParenLeft, shift, "(", "3*4("},       {")", Qt::Key_ParenRight, shift, ")", "3*4)"},
        {"^", Qt::Key_AsciiCircum, shift, "^", "3*4^"},     {"=", Qt::Key_Equal, none, "=", "12"},
        {"Enter of the numeric keypad is =", Qt::Key_Enter, pad, "\r", "12"},
        {"Backspace", Qt::Key_Backspace, none, "\b", "3*"}, {"Delete", Qt::Key_Delete, none, "\x7f", ""},
        // Keys and chords that are no key of the keypad change nothing.
        {"a letter", Qt::Key_A, none, "a", "3*4"},           {"Ctrl+7", Qt::Key_7, Qt::ControlModifier, "7", "3*4"},
        {"Alt+7", Qt::Key_7, Qt::AltModifier, "7", "3*4"},   {"Ctrl+Backspace", Qt::Key_Backspace, Qt::ControlModifier, "", "3*4"},
    };
    for (const auto &[name, key, modifiers, text, shown] : others)
        QTest::newRow(name) << true << "Text1" << key << modifiers << QString::fromUtf8(text) << QString::fromUtf8(shown);
    // Return and Space press the focused key as always, also Return where "=" would be typed.
    QTest::newRow("Return presses the focused key") << true << "Command5" << int(Qt::Key_Return) << none << "\r" << "3*45";
    QTest::newRow("Space presses the focused key") << true << "Command5" << int(Qt::Key_Space) << none << " " << "3*45";
    QTest::newRow("Enter of the numeric keypad, setting off") << false << "Command5" << int(Qt::Key_Enter) << pad << "\r"
                                                              << "3*45";
    // With the setting off the keyboard types nothing, as the game always was.
    QTest::newRow("7, setting off") << false << "Text1" << int(Qt::Key_7) << none << "7" << "3*4";
    QTest::newRow("=, setting off") << false << "Text1" << int(Qt::Key_Equal) << none << "=" << "3*4";
    QTest::newRow("Backspace, setting off") << false << "Text1" << int(Qt::Key_Backspace) << none << "\b" << "3*4";
    // An option box open for typing keeps its keys: "-" starts a negative range there.
    QTest::newRow("- into the open range box") << true << "Text14" << int(Qt::Key_Minus) << none << "-" << "3*4";
    // A key held down repeats its press; it types once, as a held mouse button does.
    QTest::newRow("7 held down") << true << "Text1, held" << int(Qt::Key_7) << none << "7" << "3*47";
}

void TestKeypad::typedKeyPressesItsKey()
{
    QFETCH(bool, typing);
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    Started s(std::map<QString, QString>{{"keyboardTyping", typing ? "true" : "false"}});
    Form1 &form = *s.form;
    enableAllKeys(form);
    form.Text1->setText(QStringLiteral("3*4"));
    const bool held = focus.endsWith(QLatin1String(", held"));
    QWidget *focused = form.findChild<QWidget *>(focus.remove(QLatin1String(", held")));
    focused->setFocus(Qt::TabFocusReason);

    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QApplication::sendEvent(focused, &press);
    QKeyEvent repeated(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text, true);
    if (held)
        QApplication::sendEvent(focused, &repeated);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::KeyboardModifiers(modifiers), text);
    QApplication::sendEvent(focused, &release);

    QCOMPARE(form.Text1->text(), shown);
    // Through the key's own handler: a digit starts the countdown, the display is read back.
    QCOMPARE(form.Timer1->isEnabled(), shown.size() == 4 && shown.back() >= u'1' && shown.back() <= u'9');
    QCOMPARE(s.world.announcer.echoed.size(), std::size_t(shown != "3*4" && shown != "12" ? 1 : 0));
    QCOMPARE(form.Text14->text(), focus == "Text14" ? text : QString());
    QVERIFY(s.world.announcer.said.size() <= (shown == "12" ? 1u : 0u));
}

QTEST_MAIN(TestKeypad)
#include "tst_keypad.moc"
