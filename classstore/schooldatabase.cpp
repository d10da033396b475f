#include "classstore/schooldatabase.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QUuid>
#include <QVariant>

#include <libpq-fe.h>
#include <sys/socket.h>

namespace numbolo {

QString schoolConnectOptions(const QString &connection)
{
    // Qt's driver hands its options to libpq with every ";" made a blank.
    return QStringLiteral("connect_timeout=5 keepalives=1 keepalives_idle=10 keepalives_interval=5 keepalives_count=3 "
                          "application_name=Numbolo ")
        + connection.trimmed();
}

SchoolDatabase::SchoolDatabase(QString connection)
    : m_connection(std::move(connection)),
      m_name(QStringLiteral("numbolo-school-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

SchoolDatabase::~SchoolDatabase()
{
    close();
}

bool SchoolDatabase::open(QString *error)
{
    if (m_open)
        return true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        db.setConnectOptions(schoolConnectOptions(m_connection));
        if (db.open()) {
            m_open = true;
            const QVariant handle = db.driver()->handle();
            if (handle.isValid() && qstrcmp(handle.typeName(), "PGconn*") == 0) {
                std::lock_guard lock(m_socketMutex);
                m_socket = PQsocket(*static_cast<PGconn *const *>(handle.data()));
            }
            return true;
        }
        *error = db.lastError().text();
        if (!db.isValid())
            *error = QStringLiteral("QPSQL: ") + *error;
    }
    QSqlDatabase::removeDatabase(m_name);
    return false;
}

QSqlDatabase SchoolDatabase::database() const
{
    return QSqlDatabase::database(m_name, false);
}

void SchoolDatabase::close()
{
    {
        std::lock_guard lock(m_socketMutex);
        m_socket = -1;
    }
    if (QSqlDatabase::contains(m_name)) {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    m_open = false;
}

void SchoolDatabase::interrupt()
{
    std::lock_guard lock(m_socketMutex);
    if (m_socket >= 0)
        ::shutdown(m_socket, SHUT_RDWR);
}

} // namespace numbolo
