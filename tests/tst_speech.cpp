// Text for the ear: each language's rules by which numbers, times, durations, ranges, ways and
// counts are said, and no mark a screen reader would name left in what it is given.

#include "speech/speech.h"

#include <QTest>

#include <functional>

using namespace numbolo;

class TestSpeech : public QObject {
    Q_OBJECT
private slots:
    void said_data();
    void said();
};

void TestSpeech::said_data()
{
    // Each row: what is said of `input` by one of the forms, in the language the game chose.
    QTest::addColumn<QString>("language");
    QTest::addColumn<std::function<QString()>>("form");
    QTest::addColumn<QString>("spoken");
    struct Chosen {
        const Speech *operator->() const { return &speech(); }
    } s;
    QString language = QStringLiteral("el");
    const auto row = [&language](const char *name, std::function<QString()> form, const char *spoken) {
        QTest::newRow(name) << language << form << QString::fromUtf8(spoken);
    };
    row("number", [&] { return s->number(u"57"); }, "57");
    row("zero", [&] { return s->number(u"0"); }, "0");
    row("negative number", [&] { return s->number(u"-45"); }, "μείον 45");
    row("decimal point", [&] { return s->number(u"3.5"); }, "3 κόμμα 5");
    row("decimal comma, negative", [&] { return s->number(u"-0,25"); }, "μείον 0 κόμμα 25");
    row("point first", [&] { return s->number(u".5"); }, "κόμμα 5");
    row("way", [&] { return s->expression(u"55/4+77/4"); }, "55 διά 4 συν 77 διά 4");
    row("way with a sign and brackets", [&] { return s->expression(u"-(7-2)*3.5"); },
        "μείον ανοίγει παρένθεση 7 μείον 2 κλείνει παρένθεση επί 3 κόμμα 5");
    row("display, a power", [&] { return s->expression(u"2^3"); }, "2 στη δύναμη 3");
    row("operator caption", [&] { return s->operatorName(u'x'); }, "επί");
    row("no operator", [&] { return s->operatorName(u'7'); }, "");
    row("time of day", [&] { return s->timeOfDay(QTime(9, 12)); }, "9 και 12");
    row("time, a whole hour", [&] { return s->timeOfDay(QTime(21, 0)); }, "21 ακριβώς");
    row("midnight", [&] { return s->timeOfDay(QTime(0, 0)); }, "μεσάνυχτα");
    row("after midnight", [&] { return s->timeOfDay(QTime(0, 5)); }, "12 και 5 μετά τα μεσάνυχτα");
    row("noon", [&] { return s->timeOfDay(QTime(12, 0)); }, "12 το μεσημέρι");
    row("date and time", [&] { return s->dateTime(QDateTime(QDate(2026, 12, 8), QTime(9, 12))); },
        "8 Δεκεμβρίου 2026, 9 και 12");
    row("minutes and seconds", [&] { return s->duration(231); }, "3 λεπτά και 51 δευτερόλεπτα");
    row("1800 seconds", [&] { return s->duration(1800); }, "30 λεπτά");
    row("one minute", [&] { return s->duration(60); }, "1 λεπτό");
    row("one second", [&] { return s->duration(1); }, "1 δευτερόλεπτο");
    row("no time", [&] { return s->duration(0); }, "0 δευτερόλεπτα");
    row("hours, minutes, seconds", [&] { return s->duration(3600 + 120 + 3); }, "1 ώρα, 2 λεπτά και 3 δευτερόλεπτα");
    row("hours and seconds", [&] { return s->duration(7201); }, "2 ώρες και 1 δευτερόλεπτο");
    row("range", [&] { return s->range(0, 100); }, "0 έως 100");
    row("negative range", [&] { return s->range(-500, 0); }, "μείον 500 έως 0");
    row("counted, one", [&] { return s->counted(1, QStringLiteral("στόχος"), QStringLiteral("στόχοι")); }, "1 στόχος");
    row("counted, none", [&] { return s->counted(0, QStringLiteral("στόχος"), QStringLiteral("στόχοι")); }, "0 στόχοι");
    row("twice", [&] { return s->times(2); }, "δύο φορές");
    row("eight times", [&] { return s->times(8); }, "οκτώ φορές");
    row("colon", [&] { return s->forTheEar(QStringLiteral("Χρόνος ανά άσκηση: 6 λεπτά")); }, "Χρόνος ανά άσκηση, 6 λεπτά");
    row("time left in digits", [&] { return s->forTheEar(QStringLiteral("στις 09:12.")); }, "στις 9 και 12.");
    row("semicolons and a colon at the end",
        [&] { return s->forTheEar(QStringLiteral("α: 1; β: 2;")); }, "α, 1, β, 2");
    row("a path", [&] { return s->forTheEar(QStringLiteral("(/home/ιστορικό.sqlite): disk I/O error")); },
        "(home ιστορικό.sqlite), disk I O error");
    row("a question", [&] { return s->forTheEar(QStringLiteral("Θές σιγουρα να προχωρήσεις στην επόμενη;\nΝαι;")); },
        "Θές σιγουρα να προχωρήσεις στην επόμενη?\nΝαι?");
    row("an ellipsis", [&] { return s->forTheEar(QStringLiteral("Ο χρόνος τελείωσε... Την επόμενη φορά. Αποθήκευση CSV…")); },
        "Ο χρόνος τελείωσε. Την επόμενη φορά. Αποθήκευση CSV.");
    row("guillemets", [&] { return s->forTheEar(QStringLiteral("με τις πράξεις «διά» και «συν».")); }, "με τις πράξεις διά και συν.");
    row("lines kept", [&] { return s->forTheEar(QStringLiteral("Α:\nΒ; Γ")); }, "Α\nΒ, Γ");

    // A language without rules of its own is spoken by Greek's.
    language = QStringLiteral("fr");
    row("no rules, Greek's", [&] { return s->expression(u"-7*3.5"); }, "μείον 7 επί 3 κόμμα 5");

    language = QStringLiteral("en");
    row("en number", [&] { return s->number(u"57"); }, "57");
    row("en negative number", [&] { return s->number(u"-45"); }, "minus 45");
    row("en decimal point", [&] { return s->number(u"3.5"); }, "3 point 5");
    row("en decimal comma, negative", [&] { return s->number(u"-0,25"); }, "minus 0 point 25");
    row("en way", [&] { return s->expression(u"7*31+"); }, "7 times 31 plus");
    row("en way with a sign and brackets", [&] { return s->expression(u"-(7-2)/3^2"); },
        "minus open bracket 7 minus 2 close bracket divided by 3 to the power of 2");
    row("en operator caption", [&] { return s->operatorName(u'x'); }, "times");
    row("en no operator", [&] { return s->operatorName(u'7'); }, "");
    row("en time of day", [&] { return s->timeOfDay(QTime(9, 12)); }, "9 12 in the morning");
    row("en time, minutes under ten", [&] { return s->timeOfDay(QTime(11, 9)); }, "11 oh 9 in the morning");
    row("en time, ten minutes past", [&] { return s->timeOfDay(QTime(10, 10)); }, "10 10 in the morning");
    row("en time, a whole hour", [&] { return s->timeOfDay(QTime(21, 0)); }, "9 o'clock in the evening");
    row("en time, just after noon", [&] { return s->timeOfDay(QTime(12, 1)); }, "12 oh 1 in the afternoon");
    row("en time, last of the afternoon", [&] { return s->timeOfDay(QTime(17, 59)); }, "5 59 in the afternoon");
    row("en time, first of the evening", [&] { return s->timeOfDay(QTime(18, 0)); }, "6 o'clock in the evening");
    row("en midnight", [&] { return s->timeOfDay(QTime(0, 0)); }, "midnight");
    row("en after midnight", [&] { return s->timeOfDay(QTime(0, 5)); }, "12 oh 5 after midnight");
    row("en noon", [&] { return s->timeOfDay(QTime(12, 0)); }, "noon");
    row("en date and time", [&] { return s->dateTime(QDateTime(QDate(2026, 12, 8), QTime(9, 12))); },
        "8 December 2026 at 9 12 in the morning");
    row("en minutes and seconds", [&] { return s->duration(231); }, "3 minutes and 51 seconds");
    row("en one minute", [&] { return s->duration(60); }, "1 minute");
    row("en an hour and minutes", [&] { return s->duration(3600 + 300); }, "1 hour and 5 minutes");
    row("en hours, minutes, seconds", [&] { return s->duration(7200 + 60 + 1); }, "2 hours, 1 minute and 1 second");
    row("en no time", [&] { return s->duration(0); }, "0 seconds");
    row("en range", [&] { return s->range(0, 100); }, "0 to 100");
    row("en negative range", [&] { return s->range(-500, 0); }, "minus 500 to 0");
    row("en counted, one", [&] { return s->counted(1, QStringLiteral("target"), QStringLiteral("targets")); }, "1 target");
    row("en counted, none", [&] { return s->counted(0, QStringLiteral("target"), QStringLiteral("targets")); }, "0 targets");
    row("en once", [&] { return s->times(1); }, "once");
    row("en twice", [&] { return s->times(2); }, "twice");
    row("en three times", [&] { return s->times(3); }, "3 times");
    row("en colon", [&] { return s->forTheEar(QStringLiteral("Time per exercise: 6 minutes")); }, "Time per exercise, 6 minutes");
    row("en time left in digits", [&] { return s->forTheEar(QStringLiteral("at 09:12.")); }, "at 9 12 in the morning.");
    row("en a path", [&] { return s->forTheEar(QStringLiteral("(/home/history.sqlite); disk I/O error")); },
        "(home history.sqlite), disk I O error");
}

void TestSpeech::said()
{
    QFETCH(QString, language);
    QFETCH(std::function<QString()>, form);
    QFETCH(QString, spoken);
    useSpeechOf(language);
    QCOMPARE(form(), spoken);
    // Whatever the form, nothing a screen reader would name as a mark.
    for (const QChar mark : {u':', u'/', u';'})
        QVERIFY2(!form().contains(mark), qPrintable(form()));
}

QTEST_GUILESS_MAIN(TestSpeech)
#include "tst_speech.moc"
