#pragma once
// The times of the class CSV as the computer's local time with its offset from UTC
// ("2026-02-12T03:10:05+02:00"), read from PostgreSQL's exact epoch text
// (`extract(epoch FROM at)::text`) instead of through Qt's driver, and shown as a timestamp the
// driver had read would be: rounded to the millisecond, then the second written.

#include <QHash>
#include <QString>
#include <QStringView>

namespace numbolo {

// An instant as PostgreSQL orders it: whole seconds since 1970 (rounded down) and the
// microseconds past them, 0 to 999,999; infinity and -infinity at either end.
struct EpochInstant {
    qint64 seconds = 0;
    int micros = 0;
    bool finite = true;

    friend bool operator<(const EpochInstant &a, const EpochInstant &b)
    {
        return a.seconds != b.seconds ? a.seconds < b.seconds : a.micros < b.micros;
    }
};

// The instant of `extract(epoch FROM ...)::text` ("1770858605.079706", "-0.500000",
// "Infinity").
EpochInstant epochInstant(QStringView text);

// Qt's local conversion reads the time zone's rules again at every call; here the offset is
// asked once per hour of UTC, and at every second of an hour where it changes; the date and the
// offset are written by Qt once each, the time of day here.
class LocalTimeText {
public:
    // Empty for an instant whose year in UTC is outside 1 to 9999, as for a time Qt cannot read.
    QString text(const EpochInstant &instant);

private:
    int offsetAt(qint64 seconds);

    QHash<qint64, int> m_hourOffsets;
    // Qt's own texts of each day and each offset met ("2026-02-12", "+02:00" or "Z").
    QHash<qint64, QString> m_days;
    QHash<int, QString> m_offsets;
};

} // namespace numbolo
