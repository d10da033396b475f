#pragma once
// Text for the ear: what a screen reader is given to say where the screen shows symbols, short
// forms or numbers a synthesiser would read out mark by mark. Callers build what is heard from
// these forms and pass every sentence through forTheEar(), so that no colon, slash or semicolon
// reaches the synthesiser (Orca names them, and ";" is the Greek question mark). Each language's
// rules are one implementation; the callers never depend on which.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTime>

namespace numbolo {

class Speech {
public:
    virtual ~Speech() = default;

    // A number as the display or a box writes it: "-45" as "μείον 45", "3.5" or "3,5" as
    // "3 κόμμα 5".
    virtual QString number(QStringView text) const = 0;
    // A display or a way, its symbols as words: "7*31+" as "7 επί 31 συν".
    QString expression(QStringView text) const;
    // One key of the keypad, as its caption ("x") or as it inserts ("*"): "επί"; empty where
    // the character is no operator.
    virtual QString operatorName(QChar key) const = 0;
    // "9 και 12"; the whole hours, noon and midnight as people say them.
    virtual QString timeOfDay(QTime time) const = 0;
    // "8 Δεκεμβρίου 2026"
    virtual QString date(QDate day) const = 0;
    // "8 Δεκεμβρίου 2026, 9 και 12"
    virtual QString dateTime(const QDateTime &when) const = 0;
    // "3 λεπτά και 51 δευτερόλεπτα", "30 λεπτά", "1 ώρα και 5 λεπτά"; nothing as "0 δευτερόλεπτα".
    virtual QString duration(int seconds) const = 0;
    // "0 έως 100", "μείον 500 έως 0"
    virtual QString range(int from, int to) const = 0;
    // `count` with the word that fits it: "1 στόχος", "6 στόχοι" (one form for one, the other for
    // every other count, as in both languages so far).
    QString counted(int count, const QString &one, const QString &many) const;
    // How many times, in words: "δύο φορές".
    virtual QString times(int count) const = 0;
    // `text` without the marks a screen reader would name: a time of day left in digits ("9:05")
    // in words, a colon or semicolon as a pause (", "), a slash as a blank. Ways and displays are
    // to be said with expression() first: this knows no arithmetic.
    QString forTheEar(const QString &text) const;
};

// The rules of the program's language: the one chosen by useSpeechOf(), Greek until then.
const Speech &speech();

// Makes speech() follow `language`, a language code as the game's translations name it
// ("el", "en"). A language without rules of its own is spoken by Greek's rules, in the words its
// translation gives the "Speech" texts (Greek where it gives none). Called once at start-up,
// before any window opens.
void useSpeechOf(QStringView language);

} // namespace numbolo
