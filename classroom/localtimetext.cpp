#include "classroom/localtimetext.h"

#include <QDateTime>

#include <limits>

namespace numbolo {

namespace {

// 0001-01-01T00:00:00Z and 9999-12-31T23:59:59Z.
constexpr qint64 FirstSecond = -62135596800;
constexpr qint64 LastSecond = 253402300799;
// An hour whose offset changes within it.
constexpr int Changing = std::numeric_limits<int>::min();

constexpr qint64 JulianDayOf1970 = 2440588;

qint64 floorDivide(qint64 value, qint64 by)
{
    return value >= 0 ? value / by : -((-value + by - 1) / by);
}

int localOffset(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toLocalTime().offsetFromUtc();
}

} // namespace

EpochInstant epochInstant(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.sliced(1);
    if (text == u"Infinity")
        return {negative ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max(), 0, false};
    const qsizetype dot = text.indexOf(u'.');
    qint64 seconds = text.first(dot < 0 ? text.size() : dot).toLongLong();
    int micros = 0;
    if (dot >= 0) {
        const QStringView fraction = text.sliced(dot + 1).first(std::min<qsizetype>(6, text.size() - dot - 1));
        micros = fraction.toInt();
        for (qsizetype digits = fraction.size(); digits < 6; ++digits)
            micros *= 10;
    }
    if (negative) {
        seconds = -seconds;
        if (micros > 0) {
            --seconds;
            micros = 1'000'000 - micros;
        }
    }
    return {seconds, micros, true};
}

QString LocalTimeText::text(const EpochInstant &instant)
{
    if (!instant.finite || instant.seconds < FirstSecond || instant.seconds > LastSecond)
        return {};
    // Qt reads a fraction to the millisecond, rounding half up: from .9995 on, the next second.
    const qint64 shown = instant.seconds + (instant.micros >= 999'500 ? 1 : 0);
    const int offset = offsetAt(shown);
    const qint64 local = shown + offset, day = floorDivide(local, 86400);
    auto date = m_days.constFind(day);
    if (date == m_days.constEnd())
        date = m_days.insert(day, QDate::fromJulianDay(day + JulianDayOf1970).toString(Qt::ISODate));
    // Years of other than four digits as Qt writes them.
    if (date->size() != 10)
        return QDateTime::fromSecsSinceEpoch(shown, Qt::OffsetFromUTC, offset).toString(Qt::ISODate);
    auto zone = m_offsets.constFind(offset);
    if (zone == m_offsets.constEnd())
        zone = m_offsets.insert(offset, QDateTime::fromSecsSinceEpoch(0, Qt::OffsetFromUTC, offset).toString(Qt::ISODate).sliced(19));
    const int second = int(local - day * 86400);
    const auto twoDigits = [](QChar *at, int value) {
        at[0] = QChar(u'0' + value / 10);
        at[1] = QChar(u'0' + value % 10);
    };
    QString text(19 + zone->size(), Qt::Uninitialized);
    QChar *at = text.data();
    std::copy(date->cbegin(), date->cend(), at);
    at[10] = u'T';
    twoDigits(at + 11, second / 3600);
    at[13] = u':';
    twoDigits(at + 14, second / 60 % 60);
    at[16] = u':';
    twoDigits(at + 17, second % 60);
    std::copy(zone->cbegin(), zone->cend(), at + 19);
    return text;
}

int LocalTimeText::offsetAt(qint64 seconds)
{
    const qint64 hour = floorDivide(seconds, 3600);
    auto known = m_hourOffsets.constFind(hour);
    if (known == m_hourOffsets.constEnd()) {
        const int first = localOffset(hour * 3600), last = localOffset(hour * 3600 + 3599);
        known = m_hourOffsets.insert(hour, first == last ? first : Changing);
    }
    return *known == Changing ? localOffset(seconds) : *known;
}

} // namespace numbolo
