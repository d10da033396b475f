#include "classstore/schooldatabase.h"

#include <QCoreApplication>
#include <QSqlDriver>
#include <QStringList>
#include <QSqlError>
#include <QUuid>
#include <QVariant>

#include <libpq-fe.h>
#include <sys/socket.h>

namespace numbolo {

namespace {

QString conninfoQuoted(QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

} // namespace

bool connectTo(QSqlDatabase &db, const QString &connection, QString *error)
{
    // Qt's driver hands its options to libpq with every ";" made a blank, but quotes the host,
    // the database, the login and the password itself: libpq reads the school's string, and each
    // of its values goes where it stays whole.
    char *why = nullptr;
    PQconninfoOption *options = PQconninfoParse(connection.trimmed().toUtf8().constData(), &why);
    if (options == nullptr) {
        *error = QCoreApplication::translate("Numbolo", "Το database της ομάδας [School] δεν είναι σύνδεση της PostgreSQL: %1")
                     .arg(why != nullptr ? QString::fromUtf8(why).trimmed() : QString());
        PQfreemem(why);
        return false;
    }
    QStringList rest{QStringLiteral("connect_timeout=5 keepalives=1 keepalives_idle=10 keepalives_interval=5 "
                                    "keepalives_count=3 application_name=Numbolo")};
    bool whole = true;
    for (const PQconninfoOption *option = options; option->keyword != nullptr; ++option) {
        if (option->val == nullptr)
            continue;
        const QString keyword = QString::fromUtf8(option->keyword), value = QString::fromUtf8(option->val);
        if (keyword == QLatin1String("host"))
            db.setHostName(value);
        else if (keyword == QLatin1String("dbname"))
            db.setDatabaseName(value);
        else if (keyword == QLatin1String("user"))
            db.setUserName(value);
        else if (keyword == QLatin1String("password"))
            db.setPassword(value);
        else if (value.contains(QLatin1Char(';'))) {
            *error = QCoreApplication::translate("Numbolo", "Το database της ομάδας [School] έχει «;» στο %1, που δεν "
                                                            "περνά στην PostgreSQL.")
                         .arg(keyword);
            whole = false;
        } else
            rest << keyword + QLatin1Char('=') + conninfoQuoted(value);
    }
    PQconninfoFree(options);
    db.setConnectOptions(rest.join(QLatin1Char(' ')));
    return whole;
}

pg_conn *libpqConnection(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() != nullptr ? db.driver()->handle() : QVariant();
    // Qt's metatype names the handle after libpq's struct, pg_conn.
    if (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0)
        return nullptr;
    return *static_cast<PGconn *const *>(handle.constData());
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
    error->clear();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        if (connectTo(db, m_connection, error) && db.open()) {
            m_open = true;
            if (PGconn *connection = libpqConnection(db)) {
                std::lock_guard lock(m_socketMutex);
                m_socket = PQsocket(connection);
            }
            return true;
        }
        if (error->isEmpty())
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
