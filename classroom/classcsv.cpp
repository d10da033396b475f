#include "classroom/classcsv.h"

#include "classstore/schooldatabase.h"
#include "progress/csvfield.h"
#include "progress/progresstext.h"
#include "store/historyschema.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace numbolo {

namespace {

QString timeText(const QVariant &value)
{
    if (value.isNull())
        return {};
    const QDateTime local = value.toDateTime().toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

} // namespace

bool writeClassCsv(const QString &database, QIODevice &out, QString *error)
{
    SchoolDatabase school(database);
    QString why;
    if (!school.open(&why)) {
        *error = QCoreApplication::translate("Numbolo", "Η βάση της τάξης δεν απαντά: %1").arg(why.trimmed());
        return false;
    }
    QStringList lines{QCoreApplication::translate(
        "Numbolo", "Τάξη,Μαθητής,Προφίλ,Έναρξη παιχνιδιού,Ασκήσεις,Εύρος,Άσκηση,Επίπεδο,Έκβαση,Δευτερόλεπτα,Στόχοι,"
                   "Πατήματα =,Τέλος άσκησης")};
    {
        QSqlQuery query(school.database());
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral(
                "SELECT e.class, e.pupil, e.profile, g.at, e.exercises, e.target_range, e.number, e.level, e.outcome, "
                "e.seconds, e.targets, e.equals_presses, e.at FROM numbolo.record e "
                "LEFT JOIN numbolo.record g ON g.pupil = e.pupil AND g.profile = e.profile AND g.game = e.game "
                "AND g.kind = 'game' WHERE e.kind = 'exercise' "
                "ORDER BY e.class, e.pupil, e.profile, coalesce(g.at, e.at), e.game, e.number"))) {
            *error = QCoreApplication::translate("Numbolo", "Η βάση της τάξης δεν διαβάστηκε: %1")
                         .arg(query.lastError().text().trimmed());
            return false;
        }
        while (query.next()) {
            const auto end = valueOf(ExerciseEndKeys, query.value(8).toString());
            QStringList fields{query.value(0).toString(),
                               query.value(1).toString(),
                               query.value(2).toString(),
                               timeText(query.value(3)),
                               query.value(4).toString(),
                               query.value(5).toString(),
                               query.value(6).toString(),
                               QString::number(query.value(7).toDouble(), 'g', 6),
                               end ? exerciseEndText(*end) : query.value(8).toString(),
                               query.value(9).toString(),
                               query.value(10).toString(),
                               query.value(11).toString(),
                               timeText(query.value(12))};
            for (QString &field : fields)
                field = csvField(field);
            lines << fields.join(QLatin1Char(','));
        }
    }
    school.close();
    const QByteArray bytes = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    if (out.write(bytes) != bytes.size()) {
        *error = QCoreApplication::translate("Numbolo", "Το CSV δεν γράφτηκε: %1").arg(out.errorString());
        return false;
    }
    return true;
}

} // namespace numbolo
