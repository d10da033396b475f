#include "classroom/classcsv.h"

#include "classroom/copiedrows.h"
#include "classroom/localtimetext.h"
#include "classstore/schooldatabase.h"
#include "progress/csvfield.h"
#include "progress/progresstext.h"
#include "store/historyschema.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <limits>
#include <tuple>
#include <vector>

namespace numbolo {

namespace {

// The names, classes and game ids of the rows (UTF-8), each stored once: the rows sort by their
// places in the server's own order of them.
class Names {
public:
    int idOf(QByteArrayView name)
    {
        const auto known = m_ids.constFind(name.toByteArray());
        if (known != m_ids.constEnd())
            return *known;
        m_fields.push_back(csvField(QString::fromUtf8(name)).toUtf8());
        return *m_ids.insert(name.toByteArray(), int(m_fields.size()) - 1);
    }
    const QByteArray &field(int id) const { return m_fields[std::size_t(id)]; }

    // Each name's place in the database's collation, as an ORDER BY of the columns would sort
    // them; false with the server's error.
    bool rank(QSqlDatabase db, std::vector<int> *places, QString *error) const
    {
        QJsonArray all;
        for (auto name = m_ids.keyBegin(); name != m_ids.keyEnd(); ++name)
            all.append(QString::fromUtf8(*name));
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT v FROM jsonb_array_elements_text(?::jsonb) AS t(v) ORDER BY v"));
        query.addBindValue(QString::fromUtf8(QJsonDocument(all).toJson(QJsonDocument::Compact)));
        if (!query.exec()) {
            *error = query.lastError().text();
            return false;
        }
        places->assign(m_fields.size(), 0);
        for (int place = 0; query.next(); ++place)
            (*places)[std::size_t(m_ids.value(query.value(0).toString().toUtf8()))] = place;
        return true;
    }

private:
    QHash<QByteArray, int> m_ids;
    std::vector<QByteArray> m_fields;
};

// A game's start as its exercises' rows show it.
struct Start {
    EpochInstant at;
    QByteArray field;
};

// A row of the CSV before it takes its place: what it sorts by (the class, pupil, profile, the
// game's start, the game and the exercise's number, a missing number last), then its bytes.
struct Row {
    int className, pupil, profile;
    EpochInstant start;
    int game;
    qint64 number;
    qsizetype from, size;
};

struct GameKey {
    int pupil, profile, game;
    friend bool operator==(const GameKey &, const GameKey &) = default;
};

size_t qHash(const GameKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.pupil, key.profile, key.game);
}

QString epochOf(const char *column)
{
    return QStringLiteral("extract(epoch FROM %1)::text").arg(QLatin1String(column));
}

QByteArrayView bytesOf(const CopiedField &field)
{
    return field ? *field : QByteArrayView();
}

// A float8's text as Qt's driver reads it.
double doubleOf(const CopiedField &field)
{
    if (!field)
        return 0;
    if (*field == "Infinity")
        return qInf();
    if (*field == "-Infinity")
        return -qInf();
    if (*field == "NaN")
        return qQNaN();
    return field->toDouble();
}

// The rows in the order of "ORDER BY class, pupil, profile, the game's start (where there is no
// start, the exercise's end), game, number" over the exercises LEFT JOINed to their games'
// starts, as text and with each row's bytes in `bytes`.
bool readRows(QSqlDatabase db, std::vector<Row> *rows, QByteArray *bytes, QString *error)
{
    // One ORDER BY made the server sort 150,000 wide rows by text in its collation, and Qt's
    // driver read every time through the local time zone's rules: here the server only reads
    // (the games and the exercises in one snapshot) and orders the distinct names, and the rows
    // are sorted by their places.
    QSqlQuery transaction(db);
    if (!db.transaction() || !transaction.exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"))) {
        *error = db.lastError().text() + transaction.lastError().text();
        return false;
    }
    Names names;
    LocalTimeText times;
    QHash<GameKey, QList<Start>> starts;
    const auto started = [&](const std::vector<CopiedField> &game) {
        const EpochInstant at = epochInstant(QString::fromLatin1(bytesOf(game[3])));
        starts[{names.idOf(bytesOf(game[0])), names.idOf(bytesOf(game[1])), names.idOf(bytesOf(game[2]))}].append(
            {at, csvField(times.text(at)).toUtf8()});
    };
    QHash<QByteArray, QByteArray> outcomes;
    QHash<double, QByteArray> levels;
    const QList<Start> unstarted{{}};
    QByteArray tail;
    const auto ended = [&](const std::vector<CopiedField> &e) {
        const int className = names.idOf(bytesOf(e[0])), pupil = names.idOf(bytesOf(e[1])),
                  profile = names.idOf(bytesOf(e[2])), game = names.idOf(bytesOf(e[3]));
        const EpochInstant at = epochInstant(QString::fromLatin1(bytesOf(e[4])));
        const double level = doubleOf(e[8]);
        auto levelField = levels.constFind(level);
        if (levelField == levels.constEnd())
            levelField = levels.insert(level, csvField(QString::number(level, 'g', 6)).toUtf8());
        const QByteArray outcome = bytesOf(e[9]).toByteArray();
        auto outcomeField = outcomes.constFind(outcome);
        if (outcomeField == outcomes.constEnd()) {
            const auto end = valueOf(ExerciseEndKeys, QString::fromUtf8(outcome));
            outcomeField = outcomes.insert(outcome, csvField(end ? exerciseEndText(*end) : QString::fromUtf8(outcome)).toUtf8());
        }
        // An integer's text is never a formula nor quoted; NULL is written 0, as Qt's driver reads it.
        const auto integer = [&](int column) {
            const CopiedField &field = e[std::size_t(column)];
            tail.append(',').append(field ? *field : QByteArrayView("0"));
        };
        tail.clear();
        for (int column : {5, 6, 7})
            integer(column);
        tail.append(',').append(*levelField).append(',').append(*outcomeField);
        for (int column : {10, 11, 12})
            integer(column);
        tail.append(',').append(csvField(times.text(at)).toUtf8());
        // A game's start joined as a LEFT JOIN would: none, or each row of it.
        const auto start = starts.constFind({pupil, profile, game});
        for (const Start &s : start == starts.constEnd() ? unstarted : *start) {
            const qsizetype from = bytes->size();
            bytes->append(names.field(className)).append(',').append(names.field(pupil)).append(',');
            bytes->append(names.field(profile)).append(',').append(s.field).append(tail);
            rows->push_back({className, pupil, profile, start == starts.constEnd() ? at : s.at, game,
                             e[7] ? e[7]->toLongLong() : std::numeric_limits<qint64>::max(), from, bytes->size() - from});
        }
    };
    std::vector<int> places;
    const bool read =
        copyRows(db, QStringLiteral("SELECT pupil, profile, game, %1 FROM numbolo.record WHERE kind = 'game'").arg(epochOf("at")),
                 started, error)
        && copyRows(db,
                    QStringLiteral("SELECT class, pupil, profile, game, %1, exercises, target_range, number, level, outcome, "
                                   "seconds, targets, equals_presses FROM numbolo.record WHERE kind = 'exercise'")
                        .arg(epochOf("at")),
                    ended, error)
        && names.rank(db, &places, error);
    db.rollback();
    if (!read)
        return false;
    for (Row &row : *rows) {
        row.className = places[std::size_t(row.className)];
        row.pupil = places[std::size_t(row.pupil)];
        row.profile = places[std::size_t(row.profile)];
        row.game = places[std::size_t(row.game)];
    }
    std::stable_sort(rows->begin(), rows->end(), [](const Row &a, const Row &b) {
        return std::tuple(a.className, a.pupil, a.profile, a.start, a.game, a.number)
               < std::tuple(b.className, b.pupil, b.profile, b.start, b.game, b.number);
    });
    return true;
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
    std::vector<Row> rows;
    QByteArray bytes;
    if (!readRows(school.database(), &rows, &bytes, &why)) {
        *error = QCoreApplication::translate("Numbolo", "Η βάση της τάξης δεν διαβάστηκε: %1").arg(why.trimmed());
        return false;
    }
    school.close();
    QByteArray csv = QCoreApplication::translate("Numbolo", "Τάξη,Μαθητής,Προφίλ,Έναρξη παιχνιδιού,Ασκήσεις,Εύρος,Άσκηση,"
                                                            "Επίπεδο,Έκβαση,Δευτερόλεπτα,Στόχοι,Πατήματα =,Τέλος άσκησης")
                         .toUtf8()
                     + "\r\n";
    csv.reserve(csv.size() + bytes.size() + 2 * qsizetype(rows.size()));
    for (const Row &row : rows)
        csv.append(bytes.constData() + row.from, row.size).append("\r\n");
    if (out.write(csv) != csv.size()) {
        *error = QCoreApplication::translate("Numbolo", "Το CSV δεν γράφτηκε: %1").arg(out.errorString());
        return false;
    }
    return true;
}

} // namespace numbolo
