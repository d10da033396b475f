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
            && query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS way (solver INTEGER NOT NULL, keys TEXT NOT NULL,"
                                         " target TEXT NOT NULL, way TEXT NOT NULL, PRIMARY KEY (solver, keys, target))"
                                         " WITHOUT ROWID"));
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

QHash<QString, QString> RememberedWays::of(const QString &keys)
{
    QHash<QString, QString> ways;
    if (!open())
        return ways;
    int code = 0;
    {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT target, way FROM way WHERE solver = ? AND keys = ?"));
        query.addBindValue(m_solver);
        query.addBindValue(keys);
        if (query.exec())
            while (query.next())
                ways.insert(query.value(0).toString(), query.value(1).toString());
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
    QSqlError error;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (beginWriting(db, &error)) {
            QSqlQuery insert(db);
            insert.prepare(QStringLiteral("INSERT OR IGNORE INTO way (solver, keys, target, way) VALUES (?, ?, ?, ?)"));
            for (const RememberedWay &way : ways) {
                insert.bindValue(0, m_solver);
                insert.bindValue(1, way.keys);
                insert.bindValue(2, way.target);
                insert.bindValue(3, way.way.isNull() ? QStringLiteral("") : way.way); // a null string binds as NULL
                if (!insert.exec()) {
                    error = insert.lastError();
                    break;
                }
            }
            insert.finish();
            if (!error.isValid() && commitWriting(db, &error))
                return true;
            db.rollback();
        }
    }
    closeAfter(error.nativeErrorCode().toInt());
    return false;
}

} // namespace numbolo
