// The game's texts in English: every text the sources hand to Qt's translation system has a
// finished English translation with the placeholders of its Greek, the desktop's language
// picks the game's, and an English window tells assistive technology nothing in Greek.

#include "app/language.h"
#include "app/setup.h"
#include "game/form1.h"
#include "tests/fakes.h"
#include "translations/translations.h"

#include <QAccessible>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

using namespace numbolo;
using namespace numbolo::testing;

namespace {

struct SourceText {
    QString context, source, comment;
    bool numerus = false;
};

// The texts lupdate finds in the program's sources now, whatever the .ts in the tree holds.
QList<SourceText> sourceTexts()
{
    QTemporaryDir dir;
    const QString ts = dir.filePath(QStringLiteral("found.ts"));
    QProcess lupdate;
    lupdate.start(QStringLiteral(NUMBOLO_LUPDATE), {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                                                    QStringLiteral("@" NUMBOLO_TRANSLATED_SOURCES), QStringLiteral("-ts"), ts});
    if (!lupdate.waitForFinished(120000) || lupdate.exitCode() != 0)
        return {};
    QFile file(ts);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<SourceText> found;
    QXmlStreamReader xml(&file);
    QString context;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            SourceText text{context, {}, {}, xml.attributes().value(QLatin1String("numerus")) == u"yes"};
            while (xml.readNextStartElement()) {
                if (xml.name() == u"source")
                    text.source = xml.readElementText();
                else if (xml.name() == u"comment")
                    text.comment = xml.readElementText();
                else
                    xml.skipCurrentElement();
            }
            found << text;
        } else if (xml.name() != u"TS" && xml.name() != u"context") {
            xml.skipCurrentElement();
        }
    }
    return found;
}

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%[1-9n]"));
    QSet<QString> found;
    for (const QRegularExpressionMatch &match : marker.globalMatch(text))
        found << match.captured();
    return found;
}

const QRegularExpression GreekLetter(QStringLiteral("\\p{Greek}"));

// What assistive technology reads of `iface` and everything under it: name, description, value.
void readTree(QAccessibleInterface *iface, QStringList &heard, int depth = 0)
{
    if (iface == nullptr || depth > 20)
        return;
    for (QAccessible::Text which : {QAccessible::Name, QAccessible::Description, QAccessible::Value})
        if (const QString text = iface->text(which); !text.isEmpty())
            heard << text;
    for (int i = 0; i < iface->childCount(); ++i)
        readTree(iface->child(i), heard, depth + 1);
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void englishComplete_data();
    void englishComplete();
    void languageChosen_data();
    void languageChosen();
    void englishWindowHasNoGreek_data();
    void englishWindowHasNoGreek();

private:
    QTranslator m_english;
};

void TestTranslations::initTestCase()
{
    setupApplication();
    QVERIFY(m_english.load(translationFile(u"en")));
}

void TestTranslations::cleanup()
{
    useLanguage(QStringLiteral("el"));
}

void TestTranslations::englishComplete_data()
{
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<int>("count");
    const QList<SourceText> texts = sourceTexts();
    QVERIFY2(texts.size() > 300, "lupdate found too few texts in the sources");
    for (const SourceText &text : texts) {
        const QString row = text.context + QLatin1String(": ") + text.source.simplified().left(50);
        for (int count : text.numerus ? QList<int>{1, 2} : QList<int>{-1})
            QTest::newRow(qPrintable(count < 0 ? row : row + QStringLiteral(" (%1)").arg(count)))
                << text.context << text.source << text.comment << count;
    }
}

// A text without a finished translation is left out of the .qm, and the English game would show
// it in Greek; a lost or extra placeholder shows a "%1" or drops a value.
void TestTranslations::englishComplete()
{
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, comment);
    QFETCH(int, count);
    const QByteArray c = context.toUtf8(), s = source.toUtf8(), d = comment.toUtf8();
    const QString english = m_english.translate(c.constData(), s.constData(), comment.isEmpty() ? nullptr : d.constData(), count);
    QVERIFY2(!english.isEmpty(), "no finished English translation");
    QVERIFY2(!english.contains(GreekLetter), qPrintable(english));
    QCOMPARE(placeholders(english), placeholders(source));
    // A CSV's header line: a spreadsheet runs a field that starts like a formula when the file opens.
    if (source.contains(QLatin1Char(',')) && !source.contains(QLatin1String(", ")))
        for (const QString &field : english.split(QLatin1Char(',')))
            QVERIFY2(field.isEmpty() || !QStringView(u"=+-@\t\r").contains(field.front()), qPrintable(field));
}

void TestTranslations::languageChosen_data()
{
    QTest::addColumn<QStringList>("desktop");
    QTest::addColumn<QString>("language");
    const QStringList game{QStringLiteral("el"), QStringLiteral("en")};
    QTest::newRow("English with a country") << QStringList{QStringLiteral("en-US"), QStringLiteral("en")} << "en";
    QTest::newRow("English as Qt spells a POSIX locale") << QStringList{QStringLiteral("en_GB")} << "en";
    QTest::newRow("Greek") << QStringList{QStringLiteral("el-GR"), QStringLiteral("el")} << "el";
    QTest::newRow("C plays in Greek") << QStringList{QStringLiteral("C")} << "el";
    QTest::newRow("no language plays in Greek") << QStringList{} << "el";
    QTest::newRow("untranslated first, then English") << QStringList{QStringLiteral("fr-FR"), QStringLiteral("en-GB")} << "en";
    QTest::newRow("Greek before English") << QStringList{QStringLiteral("de"), QStringLiteral("el"), QStringLiteral("en")} << "el";
    QTest::newRow("only untranslated languages") << QStringList{QStringLiteral("fr-FR"), QStringLiteral("de")} << "el";
}

void TestTranslations::languageChosen()
{
    QFETCH(QStringList, desktop);
    QFETCH(QString, language);
    QCOMPARE(chooseLanguage(desktop, gameLanguages()), language);
}

void TestTranslations::englishWindowHasNoGreek_data()
{
    QTest::addColumn<bool>("playing");
    QTest::newRow("before a game") << false;
    QTest::newRow("in a game") << true;
}

// What a child typed and Qt's own texts aside, every name, description and value of the window.
void TestTranslations::englishWindowHasNoGreek()
{
    QFETCH(bool, playing);
    useLanguage(QStringLiteral("en"));
    World world;
    std::unique_ptr<Form1> form = playing ? shownGame(world) : shownWindowWithFont(world);
    QStringList heard;
    readTree(QAccessible::queryAccessibleInterface(form.get()), heard);
    QVERIFY(heard.size() > 40);
    for (const QString &text : heard)
        QVERIFY2(!text.contains(GreekLetter), qPrintable(text));
    QVERIFY(!form->windowTitle().contains(GreekLetter));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
