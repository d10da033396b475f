#include "store/rememberedways.h"

#include "store/historyschema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace numbolo {

QString RememberedWays::besideHistory(const QString &historyPath)
{
    return historyPath + QStringLiteral(".ways");
}

RememberedWays::RememberedWays(QString path, int solver, int busyMilliseconds)
    : m_path(std::move(path)), m_solver(solver), m_busy(busyMilliseconds),
      m_connection(QStringLiteral("numbolo-ways-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

RememberedWays::~RememberedWays()
{
    closeAfter(0);
}

bool RememberedWays::open()
{
    if (m_open)
        return true;
    if (!QFileInfo(m_path).dir().exists())
        return false; // no history beside it either; a folder is not made for a cache
    // Made before SQLite opens it, so that the file and the journal SQLite gives its rights are
    // the user's alone.
    if (QFile file(m_path); file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    int code = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busy));
        QSqlQuery query(db);
        m_open = db.open() && query.exec(QStringLiteral("PRAGMA synchronous=OFF"))
            && query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS key_set (solver INTEGER NOT NULL, keys TEXT NOT NULL,"
                                         " ways TEXT NOT NULL, PRIMARY KEY (solver, keys)) WITHOUT ROWID"));
        code = (db.isOpen() ? query.lastError() : db.lastError()).nativeErrorCode().toInt();
    }
    if (!m_open)
        closeAfter(code);
    return m_open;
}

// Closes the connection; after an error that says the file is no sound database, removes it, once
// a session, so that the next use starts anew.
void RememberedWays::closeAfter(int sqliteCode)
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_open = false;
    if (troubleOf(QSqlError(QString(), QString(), QSqlError::StatementError, QString::number(sqliteCode))) == Trouble::Damaged
        && !m_startedAnew) {
        m_startedAnew = true;
        QFile::remove(m_path);
        QFile::remove(m_path + QStringLiteral("-journal"));
    }
}

namespace {

// The ways of a key set's row, by target.
void addWays(const QString &row, QHash<QString, QString> *ways)
{
    for (const QStringView pair : QStringView(row).tokenize(u' ', Qt::SkipEmptyParts)) {
        const qsizetype colon = pair.indexOf(u':');
        if (colon > 0)
            ways->insert(pair.first(colon).toString(), pair.sliced(colon + 1).toString());
    }
}

bool rememberable(const QString &text)
{
    return !text.contains(u' ') && !text.contains(u':');
}

} // namespace

QHash<QString, QString> RememberedWays::of(const QString &keys)
{
    QHash<QString, QString> ways;
    if (!open())
        return ways;
    int code = 0;
    {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT ways FROM key_set WHERE solver = ? AND keys = ?"));
        query.addBindValue(m_solver);
        query.addBindValue(keys);
        if (query.exec() && query.next())
            addWays(query.value(0).toString(), &ways);
        if (query.lastError().isValid())
            code = query.lastError().nativeErrorCode().toInt();
    }
    if (code == 0)
        return ways;
    closeAfter(code);
    return {};
}

bool RememberedWays::remember(const std::vector<RememberedWay> &ways)
{
    if (ways.empty())
        return true;
    if (!open())
        return false;
    // Each key set's new ways, added after those it had.
    QHash<QString, QHash<QString, QString>> added;
    for (const RememberedWay &way : ways)
        if (rememberable(way.target) && rememberable(way.way) && !way.target.isEmpty())
            added[way.keys].insert(way.target, way.way);
    QSqlError error;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (beginWriting(db, &error)) {
            QSqlQuery read(db), write(db);
            read.prepare(QStringLiteral("SELECT ways FROM key_set WHERE solver = ? AND keys = ?"));
            write.prepare(QStringLiteral("INSERT OR REPLACE INTO key_set (solver, keys, ways) VALUES (?, ?, ?)"));
            for (auto keySet = added.begin(); keySet != added.end() && !error.isValid(); ++keySet) {
                read.bindValue(0, m_solver);
                read.bindValue(1, keySet.key());
                if (!read.exec()) {
                    error = read.lastError();
                    break;
                }
                QHash<QString, QString> known;
                if (read.next())
                    addWays(read.value(0).toString(), &known);
                read.finish();
                for (auto way = keySet->begin(); way != keySet->end(); ++way)
                    if (!known.contains(way.key()))
                        known.insert(way.key(), way.value());
                QString row;
                for (auto way = known.begin(); way != known.end(); ++way)
                    row.append(way.key()).append(u':').append(way.value()).append(u' ');
                write.bindValue(0, m_solver);
                write.bindValue(1, keySet.key());
                write.bindValue(2, row.trimmed());
                if (!write.exec())
                    error = write.lastError();
            }
            read.finish();
            write.finish();
            if (!error.isValid() && commitWriting(db, &error))
                return true;
            db.rollback();
        }
    }
    closeAfter(error.nativeErrorCode().toInt());
    return false;
}

} // namespace numbolo
