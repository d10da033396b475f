// Number text: the conversion that targets, state boxes and the display share.

#include "arithmetic/numbertext.h"
#include "arithmetic/runtimeerror.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace numbolo;

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void format_data();
    void format();
    void formatRoundTripsThroughParse();
    void parse_data();
    void parse();
    void parseOrThrowRaisesTypeMismatch();
    void leadingNumber_data();
    void leadingNumber();
};

void TestNumberText::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 57.0 << "C" << "57";
    QTest::newRow("zero") << 0.0 << "C" << "0";
    QTest::newRow("negative zero") << -0.0 << "C" << "0";
    QTest::newRow("negative") << -12.0 << "C" << "-12";
    QTest::newRow("product a hair above 3") << 0.1 * 30 << "C" << "3";
    QTest::newRow("half") << 3.5 << "C" << "3.5";
    QTest::newRow("half, Greek decimal comma") << 3.5 << "el_GR" << "3,5";
    QTest::newRow("third: 15 significant digits") << 1.0 / 3 << "C" << "0.333333333333333";
    QTest::newRow("level") << 0.01 + 1.12 + 10.0 / 300 << "C" << "1.16333333333333";
    QTest::newRow("15 digits stay plain") << 123456789012345.0 << "C" << "123456789012345";
    QTest::newRow("16 digits go exponent") << 1234567890123456.0 << "C" << "1.23456789012346E+15";
    QTest::newRow("1E+16") << 1e16 << "C" << "1E+16";
    QTest::newRow("small plain") << 0.0001 << "C" << "0.0001";
    QTest::newRow("small exponent") << 0.00001 << "C" << "1E-05";
    QTest::newRow("no thousands separator") << 1234567.0 << "en_US" << "1234567";
    QTest::newRow("no thousands separator, Greek") << 1234567.5 << "el_GR" << "1234567,5";
}

void TestNumberText::format()
{
    QFETCH(double, value);
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QCOMPARE(NumberText::format(value, QLocale(locale)), text);
}

void TestNumberText::formatRoundTripsThroughParse()
{
    // Whatever the game writes into a state box it must read back, in both locales.
    const double values[] = {1.16333333333333, 2.96, 34.3333333333333, -3363, 1e-7, 7.29629629629630, 9999};
    for (const char *name : {"C", "el_GR", "de_DE"}) {
        const QLocale locale{QString::fromLatin1(name)};
        for (double v : values) {
            const auto back = NumberText::parse(NumberText::format(v, locale), locale);
            QVERIFY2(back.has_value(), name);
            QCOMPARE(*back, std::stod(NumberText::format(v, QLocale::c()).toStdString()));
        }
    }
}

void TestNumberText::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "150" << "C" << true << 150.0;
    QTest::newRow("leading zeros") << "0150" << "C" << true << 150.0;
    QTest::newRow("blanks around") << "  150 " << "C" << true << 150.0;
    QTest::newRow("negative") << "-9999" << "C" << true << -9999.0;
    QTest::newRow("decimal point") << "150.5" << "C" << true << 150.5;
    QTest::newRow("Greek decimal comma") << "1,22" << "el_GR" << true << 1.22;
    QTest::newRow("point is no decimal in Greek") << "1.22" << "el_GR" << false << 0.0;
    QTest::newRow("group separator is refused") << "1,500" << "C" << false << 0.0;
    QTest::newRow("empty") << "" << "C" << false << 0.0;
    QTest::newRow("blank") << "   " << "C" << false << 0.0;
    QTest::newRow("letters") << "abc" << "C" << false << 0.0;
    QTest::newRow("number then letters") << "12abc" << "C" << false << 0.0;
    QTest::newRow("infinity") << "inf" << "C" << false << 0.0;
    QTest::newRow("not a number") << "nan" << "C" << false << 0.0;
    QTest::newRow("too large") << "1e999" << "C" << false << 0.0;
}

void TestNumberText::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, locale);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const auto parsed = NumberText::parse(text, QLocale(locale));
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, value);
}

void TestNumberText::parseOrThrowRaisesTypeMismatch()
{
    try {
        NumberText::parseOrThrow(QStringLiteral("x1"), QLocale::c());
        QFAIL("no run-time error");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), RuntimeError::TypeMismatch);
        QVERIFY(error.message().contains(QLatin1String("13")));
    }
}

void TestNumberText::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "10" << 10.0;
    QTest::newRow("leading zeros") << "010" << 10.0;
    QTest::newRow("blanks anywhere") << " 1 0" << 10.0;
    QTest::newRow("number then text") << "12abc" << 12.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("point always decimal") << "1.5" << 1.5;
    QTest::newRow("comma ends the number") << "1,5" << 1.0;
    QTest::newRow("negative") << "-7" << -7.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("dangling exponent") << "12e" << 12.0;
    QTest::newRow("double sign") << "--5" << 0.0;
    QTest::newRow("overflow") << "1e999" << 0.0;
}

void TestNumberText::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(NumberText::leadingNumber(text), value);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
