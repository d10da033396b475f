#pragma once
// What the class window and the printed class report show, read from the school's database under
// the teacher's login (row-level security gives it the rows of the classes it teaches):
// a row per pupil, the class's figures by operator pair and by target range, and the targets the
// class missed most in the last weeks. Counted by the server, so that a class of a school year
// each is read within a second.

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <vector>

namespace numbolo {

// A pupil is a login and, where children share an account, a profile.
struct PupilRow {
    QString className;
    QString pupil;
    QString profile;
    int played = 0;
    int solved = 0;
    int playedThisWeek = 0; // since Monday
    int solvedThisWeek = 0;
    int targetsFound = 0;
    std::optional<double> medianSeconds; // to solve an exercise; none where nothing was solved
    int daysPlayed = 0;
    QDateTime lastPlayed;
    QString hardest; // the operators of the pupil's lowest share solved, empty where none qualifies
};

// Exercises of an operator pair (or set) before it can be a pupil's hardest: one or two missed
// say little.
constexpr int HardestAfter = 5;

// The class's exercises of one operator pair or one target range.
struct ClassGroup {
    QString name; // the operators ("x +") or the range as its number ("100")
    bool isRange = false;
    int played = 0;
    int solved = 0;
};

// A target the class missed, how often, and the keys of its latest miss.
struct MissedTarget {
    QString target;
    int missed = 0;
    QString keys;
};

// Weeks of play the most-missed targets are counted over, and how many are listed.
constexpr int MissedWeeks = 4;
constexpr int MissedListed = 10;

struct ClassFigures {
    std::vector<PupilRow> pupils; // by class, pupil and profile
    std::vector<ClassGroup> groups; // the operator pairs, then the ranges
    std::vector<MissedTarget> missed; // most missed first, at most MissedListed
};

// Reads the figures from `school` as of `today` in the local time zone. False with what the
// server said in `error`.
bool readClassFigures(QSqlDatabase school, const QDate &today, ClassFigures *figures, QString *error);

} // namespace numbolo
