#include "store/historystore.h"
#include "store/pendingfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>
#include <QVariant>

namespace numbolo {

namespace {

// Runs `sql` with `values` bound in order; the first row's first value where `result` is given.
bool run(QSqlDatabase &db, const char *sql, const QVariantList &values, QSqlError *error, QVariant *result = nullptr)
{
    QSqlQuery query(db);
    query.prepare(QString::fromLatin1(sql));
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        *error = query.lastError();
        return false;
    }
    if (result != nullptr)
        *result = query.next() ? query.value(0) : QVariant();
    return true;
}

// The row of the game a record names, made where the history has not seen it: see HistoryStore.
bool gameRow(QSqlDatabase &db, const HistoryStore::Record &record, QVariant *row, QSqlError *error)
{
    const GameFacts &game = record.game;
    const QVariant uuid = game.id.isEmpty() ? QVariant() : QVariant(game.id);
    if (!run(db, "SELECT id FROM game WHERE uuid = ?", {uuid}, error, row))
        return false;
    if (!row->isNull())
        return true;
    if (record.kind != HistoryStore::Kind::GameStarted) {
        if (!run(db,
                 "SELECT id FROM (SELECT id, uuid, exercises, target_range FROM game WHERE outcome IS NULL "
                 "ORDER BY id DESC LIMIT 1) WHERE uuid IS NULL AND exercises = ? AND target_range = ?",
                 {game.exercises, game.range}, error, row))
            return false;
        if (!row->isNull())
            return run(db, "UPDATE game SET uuid = ? WHERE id = ?", {uuid, *row}, error);
    }
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO game (uuid, started, exercises, target_range, seconds_per_exercise, "
                                  "keyboard_typing) VALUES (?, ?, ?, ?, ?, ?)"));
    for (const QVariant &value : {uuid, QVariant(stamp(record.when)), QVariant(game.exercises), QVariant(game.range),
                                  QVariant(game.secondsPerExercise), QVariant(int(game.keyboardTyping))})
        insert.addBindValue(value);
    if (!insert.exec()) {
        *error = insert.lastError();
        return false;
    }
    *row = insert.lastInsertId();
    return run(db,
               "UPDATE game SET outcome = 'abandoned', ended = (SELECT MAX(ended) FROM exercise WHERE "
               "exercise.game = game.id) WHERE outcome IS NULL AND id <> ?",
               {*row}, error);
}

constexpr QFile::Permissions OwnerOnly =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

// Takes the group's and others' rights from a file or folder; the owner's stay as they are.
void keepPrivate(const QString &path)
{
    const QFile::Permissions rights = QFile::permissions(path);
    if (rights & ~OwnerOnly)
        QFile::setPermissions(path, rights & OwnerOnly);
}

} // namespace

QString operatorsOf(const QString &keys)
{
    QStringList operators = keys.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    operators.removeIf([](const QString &key) { return key.size() != 1 || key.front().isDigit(); });
    return operators.join(QLatin1Char(' '));
}

HistoryStore::HistoryStore(QString path, QString pendingPath, int busyMilliseconds, Now now)
    : m_path(std::move(path)), m_pendingPath(std::move(pendingPath)), m_busy(busyMilliseconds), m_now(std::move(now)),
      m_connection(QStringLiteral("numbolo-history-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    m_taken = readPendingRecords(m_pendingPath);
    m_pending.assign(m_taken.begin(), m_taken.end());
}

HistoryStore::~HistoryStore()
{
    flush(true);
    QString why;
    std::size_t unkept = m_dropped;
    if (m_dropped > 0)
        why = QCoreApplication::translate("History", "περίμεναν περισσότερες από %1 εγγραφές").arg(MaxPending);
    if ((!m_pending.empty() || !m_taken.empty()) && !replacePendingRecords(m_pendingPath, m_taken, m_pending, &why))
        unkept += m_pending.size();
    if (unkept > 0 && lost)
        lost(unkept, why);
    if (m_open)
        close({});
}

void HistoryStore::gameStarted(const GameFacts &game)
{
    add({Kind::GameStarted, m_now(), game, {}, GameEnd::Finished, -1});
}

void HistoryStore::exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise)
{
    add({Kind::ExerciseEnded, m_now(), game, exercise, GameEnd::Finished, -1});
}

void HistoryStore::gameEnded(const GameFacts &game, GameEnd end, int percentage)
{
    add({Kind::GameEnded, m_now(), game, {}, end, percentage});
}

void HistoryStore::add(Record record)
{
    m_pending.push_back(std::move(record));
    // Only what still cannot be written counts against the most kept: the pending file of an
    // earlier store may hold as many, all written with this record.
    if (!flush() && m_pending.size() > MaxPending) {
        m_pending.pop_front();
        ++m_dropped;
    }
}

bool HistoryStore::flush(bool wholeCheck)
{
    if (m_pending.empty() || !open(wholeCheck))
        return m_pending.empty();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // What waited goes in with the new record, in one transaction: each commit waits for the
    // disk, and thousands of them would hold the game for a minute.
    QSqlError error;
    bool written = beginWriting(db, &error);
    for (auto record = m_pending.cbegin(); written && record != m_pending.cend(); ++record)
        written = write(db, *record, &error);
    if (!written || !commitWriting(db, &error)) {
        db.rollback();
        db = QSqlDatabase();
        close(error);
        return false;
    }
    m_pending.clear();
    // Every record this store took from the pending file is in the database now; those another
    // copy added since stay there. Where the file cannot be changed now, the end tries again.
    QString why;
    if (!m_taken.empty() && replacePendingRecords(m_pendingPath, m_taken, {}, &why))
        m_taken.clear();
    return true;
}

bool HistoryStore::write(QSqlDatabase &db, const Record &record, QSqlError *error)
{
    QVariant game;
    if (!gameRow(db, record, &game, error))
        return false;
    if (record.kind == Kind::GameEnded) {
        return run(db, "UPDATE game SET ended = ?, outcome = ?, result = ? WHERE id = ?",
                   {stamp(record.when), keyOf(GameEndKeys, record.end),
                    record.percentage >= 0 ? QVariant(record.percentage) : QVariant(), game},
                   error);
    }
    if (record.kind == Kind::GameStarted)
        return true;
    const ExerciseFacts &e = record.exercise;
    // Targets and keys only from a draw that was seen whole; none (NULL) otherwise.
    const bool drawn = e.targets.size() == 8;
    QVariant exercise;
    if (!run(db, "DELETE FROM equals_press WHERE exercise IN (SELECT id FROM exercise WHERE game = ? AND number = ?)",
             {game, e.number}, error)
        || !run(db, "DELETE FROM exercise WHERE game = ? AND number = ?", {game, e.number}, error)
        || !run(db,
                "INSERT INTO exercise (game, number, level, outcome, seconds, targets, equals_presses, ended, "
                "shown_targets, keys, operators, day) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id",
                {game, e.number, e.level, keyOf(ExerciseEndKeys, e.end), e.seconds, e.targetsHit, e.equalsPresses,
                 stamp(record.when), drawn ? QVariant(e.targets.join(QLatin1Char(' '))) : QVariant(),
                 drawn ? QVariant(e.keys) : QVariant(), drawn ? QVariant(operatorsOf(e.keys)) : QVariant(),
                 record.when.toLocalTime().date().toString(Qt::ISODate)},
                error, &exercise))
        return false;
    for (const EqualsFacts &press : e.presses) {
        QStringList hit;
        for (int target : press.hit)
            hit << QString::number(target);
        // Qt binds an empty QString that is null as NULL: "=" on an empty display, and a press
        // that hit nothing, are stored as empty texts.
        if (!run(db, "INSERT INTO equals_press (exercise, seconds, value, hit) VALUES (?, ?, ?, ?)",
                 {exercise, press.seconds, press.value.isNull() ? QStringLiteral("") : press.value,
                  hit.isEmpty() ? QStringLiteral("") : hit.join(QLatin1Char(' '))},
                 error))
            return false;
    }
    return true;
}

void HistoryStore::keepFilesPrivate() const
{
    // The folder, the file and a journal a crash left lose the group's and others' rights. The
    // file is made before SQLite opens it, so that SQLite, which gives a new journal the rights of
    // its database, never makes one that others can read.
    const QString folder = QFileInfo(m_path).absolutePath();
    QDir().mkpath(folder);
    QFile(m_path).open(QIODevice::WriteOnly | QIODevice::NewOnly);
    for (const QString &path : {m_path, m_path + QStringLiteral("-journal")})
        if (QFileInfo::exists(path))
            keepPrivate(path);
    // A folder everyone may write into (the system's temporary folder, a class's drop folder) is
    // shared on purpose, and its rights are other people's too: it keeps them.
    if (!(QFile::permissions(folder) & QFile::WriteOther))
        keepPrivate(folder);
}

bool HistoryStore::open(bool wholeCheck)
{
    if (m_open)
        return true;
    for (int attempt = 0; attempt < 2; ++attempt) {
        keepFilesPrivate();
        Setup setup;
        if (m_checkDue) {
            if (!m_check)
                m_check.emplace(m_path, m_busy);
            if (!wholeCheck && !m_check->ended(CheckWait))
                return false;
            setup = m_check->result();
            m_check.reset();
            if (setup.ready) {
                m_checkDue = false;
                ++m_checks;
            }
        }
        if (!m_checkDue) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
            db.setDatabaseName(m_path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busy));
            if (db.open())
                setup = setUp(db, &m_checkDue, &m_checks);
            else
                setup.error = db.lastError();
            if (setup.ready) {
                m_open = true;
                return true;
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
        const Trouble trouble = troubleOf(setup.error);
        if (trouble == Trouble::TheFile)
            m_checkDue = true;
        if (trouble != Trouble::Damaged || !putDamagedAside())
            return false;
        m_checkDue = false; // a new file, with nothing in it to check
    }
    return false;
}

void HistoryStore::close(const QSqlError &error)
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_open = false;
    // Opened afresh with the next record, checked whole first where the file itself failed.
    if (troubleOf(error) != Trouble::NotNow)
        m_checkDue = true;
}

bool HistoryStore::putDamagedAside()
{
    // A second damage within the same second (the new file damaged at once) gets a number after
    // the time: a name already taken would leave the damaged file in place, and no history.
    const QString named = m_path + QStringLiteral(".damaged-") + m_now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = named;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = named + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(m_path, aside))
        return false;
    // A journal belongs to the damaged file: beside a new one, SQLite would play it back into it.
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        if (QFile::exists(m_path + QLatin1String(suffix)))
            QFile::rename(m_path + QLatin1String(suffix), aside + QLatin1String(suffix));
    m_damagedCopy = aside;
    return true;
}

} // namespace numbolo
