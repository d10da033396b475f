// The "=" key through the real widgets: the value shown in the display, the targets it hits,
// the hit sounds, and the completion of an exercise.

#include "app/setup.h"
#include "game/form1.h"
#include "tests/fakes.h"

#include <QTest>

using namespace numbolo;
using namespace numbolo::testing;

namespace {

// Clicks the keys that type `expression` into the display.
void type(Form1 &form, const QString &expression)
{
    static const QHash<QChar, QString> keyFor{
        {u'/', QStringLiteral("Command10")}, {u'*', QStringLiteral("Command11")},
        {u'-', QStringLiteral("Command12")}, {u'+', QStringLiteral("Command13")},
        {u'.', QStringLiteral("Command14")}, {u'(', QStringLiteral("Command15")},
        {u')', QStringLiteral("Command16")}, {u'^', QStringLiteral("Command20")},
    };
    for (const QChar c : expression) {
        const QString name = c.isDigit() ? QStringLiteral("Command%1").arg(c) : keyFor.value(c);
        auto *key = form.findChild<QAbstractButton *>(name);
        QVERIFY2(key != nullptr, qPrintable(QStringLiteral("no key types ") + c));
        click(key);
    }
}

QStringList targetTexts(const Form1 &form)
{
    QStringList texts;
    for (TextBox *box : form.targetBoxesByName())
        texts << box->text();
    return texts;
}

// Pads a list of target texts to the eight boxes.
QStringList eight(QStringList texts)
{
    while (texts.size() < 8)
        texts << QString();
    return texts;
}

} // namespace

class TestAnswer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void displayAfterEquals_data();
    void displayAfterEquals();
    void hitSearch_data();
    void hitSearch();
    void completion_data();
    void completion();
    void hugeDisplayIsRefused_data();
    void hugeDisplayIsRefused();

private:
    QLocale m_defaultLocale;
};

void TestAnswer::initTestCase()
{
    setupApplication();
    m_defaultLocale = QLocale();
}

void TestAnswer::cleanup()
{
    QLocale::setDefault(m_defaultLocale);
}

void TestAnswer::displayAfterEquals_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    // Precedence: "^" before "*" and "/" before "+" and "-".
    QTest::newRow("* before +") << "C" << "2+3*4" << "14";
    QTest::newRow("parentheses") << "C" << "(2+3)*4" << "20";
    QTest::newRow("^ before *") << "C" << "2*3^2" << "18";
    QTest::newRow("^ before +") << "C" << "2+3^2" << "11";
    QTest::newRow("/ before -") << "C" << "9-6/3" << "7";
    // Equal ranks work from left to right, the power too.
    QTest::newRow("- left to right") << "C" << "10-4-3" << "3";
    QTest::newRow("/ left to right") << "C" << "8/4/2" << "1";
    QTest::newRow("^ left to right") << "C" << "2^3^2" << "64";
    // Unary minus binds looser than "^" and tighter than "*".
    QTest::newRow("-2^2") << "C" << "-2^2" << "-4";
    QTest::newRow("2*-3") << "C" << "2*-3" << "-6";
    QTest::newRow("2^-1") << "C" << "2^-1" << "0.5";
    QTest::newRow("-(2+3)") << "C" << "-(2+3)" << "-5";
    QTest::newRow("negative result") << "C" << "3-10" << "-7";
    // Literals.
    QTest::newRow(".5") << "C" << ".5" << "0.5";
    QTest::newRow("5.") << "C" << "5." << "5";
    QTest::newRow("leading zeros") << "C" << "007+1" << "8";
    QTest::newRow("1.2.3 stays") << "C" << "1.2.3" << "1.2.3";
    QTest::newRow("lone point stays") << "C" << "." << ".";
    // Division is always in floating point; 15 significant digits.
    QTest::newRow("7/2") << "C" << "7/2" << "3.5";
    QTest::newRow("6/2") << "C" << "6/2" << "3";
    QTest::newRow("0.1*30") << "C" << "0.1*30" << "3";
    QTest::newRow("1/3") << "C" << "1/3" << "0.333333333333333";
    QTest::newRow("2/3 rounds") << "C" << "2/3" << "0.666666666666667";
    // Under a decimal comma the display still shows a point, and reads it back.
    QTest::newRow("7/2 Greek") << "el_GR" << "7/2" << "3.5";
    QTest::newRow("-7/2 Greek") << "el_GR" << "-7/2" << "-3.5";
    QTest::newRow("3.5*2 Greek") << "el_GR" << "3.5*2" << "7";
    QTest::newRow("no thousands separator Greek") << "el_GR" << "1234*10" << "12340";
    QTest::newRow("1/3 Greek") << "el_GR" << "1/3" << "0.333333333333333";
    // Very large and very small values use the exponent form.
    QTest::newRow("big") << "C" << "10^16" << "1E+16";
    QTest::newRow("big Greek") << "el_GR" << "25*10^15" << "2.5E+16";
    QTest::newRow("tiny") << "C" << "10^-20" << "1E-20";
    // Failures leave the display as typed.
    QTest::newRow("5/0 stays") << "C" << "5/0" << "5/0";
    QTest::newRow("0/0 stays") << "C" << "0/0" << "0/0";
    QTest::newRow("5+ stays") << "C" << "5+" << "5+";
    QTest::newRow("empty stays") << "C" << "" << "";
    QTest::newRow("open parenthesis stays") << "C" << "(2+3" << "(2+3";
    QTest::newRow("extra parenthesis stays") << "C" << "2+3)" << "2+3)";
    QTest::newRow("empty parentheses stay") << "C" << "()" << "()";
    QTest::newRow("juxtaposition stays") << "C" << "2(3)" << "2(3)";
    QTest::newRow("leading operator stays") << "C" << "*5" << "*5";
    QTest::newRow("overflow stays") << "C" << "10^400" << "10^400";
    QTest::newRow("5/0 Greek stays") << "el_GR" << "5/0" << "5/0";
}

void TestAnswer::displayAfterEquals()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));
    Started s;
    Form1 &form = *s.form;
    enableAllKeys(form);
    setTargets(form, {"13", "99", "36", "42"});

    type(form, typed);
    QCOMPARE(form.Text1->text(), typed);
    click(form.Command17);

    QCOMPARE(form.Text1->text(), shown);
    QCOMPARE(targetTexts(form), eight({"13", "99", "36", "42"}));
    QVERIFY(s.world.messages.shown.empty());
    QVERIFY(!form.hasEnded());
}

void TestAnswer::hitSearch_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("targets");
    QTest::addColumn<bool>("soundsOn");
    QTest::addColumn<QStringList>("targetsAfter");
    QTest::addColumn<int>("hitSounds");

    QTest::newRow("both duplicates hit, two sounds")
        << "3*4" << QStringList{"12", "7", "12"} << true << QStringList{"", "7", ""} << 2;
    QTest::newRow("duplicates hit silently with sounds off")
        << "3*4" << QStringList{"12", "7", "12"} << false << QStringList{"", "7", ""} << 0;
    QTest::newRow("fractional result hits nothing")
        << "7/2" << QStringList{"3", "4", "35", "7"} << true << QStringList{"3", "4", "35", "7"} << 0;
    QTest::newRow("product a hair above 3 hits 3")
        << "0.1*30" << QStringList{"30", "3", "0"} << true << QStringList{"30", "", "0"} << 1;
    QTest::newRow("negative value hits only its own sign")
        << "3-10" << QStringList{"7", "-7", "17"} << true << QStringList{"7", "", "17"} << 1;
    QTest::newRow("zero hits 0")
        << "5-5" << QStringList{"0", "5", "0"} << true << QStringList{"", "5", ""} << 2;
    QTest::newRow("failed evaluation hits nothing")
        << "5+" << QStringList{"5", "5"} << true << QStringList{"5", "5"} << 0;
    // Guards the rule that an already-empty target box is never a hit: "=" on an empty
    // display used to "hit" every cleared box and play a sound for each.
    QTest::newRow("empty display hits no empty box")
        << "" << QStringList{"12", "", "7"} << true << QStringList{"12", "", "7"} << 0;
}

void TestAnswer::hitSearch()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, targets);
    QFETCH(bool, soundsOn);
    QFETCH(QStringList, targetsAfter);
    QFETCH(int, hitSounds);
    Started s;
    Form1 &form = *s.form;
    enableAllKeys(form);
    setTargets(form, targets);
    if (!soundsOn)
        click(form.Image8);
    QCOMPARE(form.soundsOn(), soundsOn);

    type(form, typed);
    click(form.Command17);

    QCOMPARE(targetTexts(form), eight(targetsAfter));
    QCOMPARE(s.world.sound.played, std::vector<Sound>(std::size_t(hitSounds), Sound::Hit));
    QVERIFY(form.successWindow() == nullptr); // no game runs
}

void TestAnswer::completion_data()
{
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QStringList>("targets");
    QTest::addColumn<bool>("completes");

    QTest::newRow("last target hit in a game") << "3" << QStringList{"", "", "12"} << true;
    QTest::newRow("two equal last targets hit in a game") << "3" << QStringList{"12", "", "12"} << true;
    QTest::newRow("one target left in a game") << "3" << QStringList{"12", "5"} << false;
    // The completion test looks at the boxes, not at this click's hits.
    QTest::newRow("all empty already in a game") << "3" << QStringList{} << true;
    QTest::newRow("last target hit, no game") << "0" << QStringList{"12"} << false;
    QTest::newRow("all empty, no game") << "0" << QStringList{} << false;
}

void TestAnswer::completion()
{
    QFETCH(QString, counter);
    QFETCH(QStringList, targets);
    QFETCH(bool, completes);
    Started s;
    Form1 &form = *s.form;
    enableAllKeys(form);
    form.Text17->setText(counter);
    form.Text13->setText(QStringLiteral("4"));
    setTargets(form, targets);
    form.Timer1->setEnabled(true);

    type(form, QStringLiteral("3*4"));
    click(form.Command17);

    QCOMPARE(form.Text1->text(), QStringLiteral("12"));
    QCOMPARE(form.Text13->text(), completes ? QStringLiteral("5") : QStringLiteral("4"));
    QCOMPARE(form.Timer1->isEnabled(), !completes);
    QCOMPARE(form.successWindow() != nullptr, completes);
    QCOMPARE(form.isFormEnabled(), !completes);
    if (completes)
        QVERIFY(form.successWindow()->isVisible());
    // Completing plays no sound of its own: only hits do.
    QCOMPARE(s.world.sound.played.size(), std::size_t(targets.count(QStringLiteral("12"))));
    QVERIFY(s.world.messages.shown.empty());
}

void TestAnswer::hugeDisplayIsRefused_data()
{
    QTest::addColumn<QString>("display");
    QTest::newRow("a million open parentheses") << QString(1'000'000, u'(');
    QTest::newRow("a sum ending in an operator") << QStringLiteral("1+").repeated(500'000);
    QTest::newRow("a million-digit number") << QString(1'000'000, u'9');
    QTest::newRow("nested too deep to close") << QString(500'000, u'(') + QString(499'999, u')') + u'1';
}

void TestAnswer::hugeDisplayIsRefused()
{
    QFETCH(QString, display);
    QCOMPARE(display.size(), 1'000'000);
    Started s;
    Form1 &form = *s.form;
    enableAllKeys(form);
    setTargets(form, {"1", "9"});
    form.Text1->setText(display);
    // The display holds the whole text (see the keypad's long-display test).
    QCOMPARE(form.Text1->text().size(), display.size());

    click(form.Command17);

    QVERIFY(form.Text1->text() == display);
    QCOMPARE(targetTexts(form), eight({"1", "9"}));
    QVERIFY(s.world.sound.played.empty());
    QVERIFY(!form.hasEnded());
}

QTEST_MAIN(TestAnswer)
#include "tst_answer.moc"
