#include "store/filecheck.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

namespace numbolo {

FileCheck::FileCheck(const QString &path, int busyMilliseconds)
{
    std::promise<void> reading;
    m_reading = reading.get_future();
    m_result = std::async(std::launch::async, [path, busyMilliseconds, reading = std::move(reading)]() mutable {
        // A connection belongs to the thread that made it: made, used and removed here.
        const QString name = QStringLiteral("numbolo-check-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        Setup result;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyMilliseconds));
            // The read lock first, in a transaction the check then reads in: SQLite waits for it
            // while another copy writes, and the one waiting for the check waits as long.
            QSqlQuery lock(db);
            if (!db.open())
                result.error = db.lastError();
            else if (!lock.exec(QStringLiteral("BEGIN")) || !lock.exec(QStringLiteral("SELECT 1 FROM sqlite_master LIMIT 1")))
                result.error = lock.lastError();
            reading.set_value();
            if (db.isOpen() && !result.error.isValid())
                result = checkWhole(db);
            lock.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return result;
    });
}

bool FileCheck::ended(std::chrono::milliseconds reading)
{
    m_reading.wait();
    return m_result.wait_for(reading) == std::future_status::ready;
}

} // namespace numbolo
