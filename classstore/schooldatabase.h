#pragma once
// A connection to the school's PostgreSQL through Qt SQL's PostgreSQL driver, for the sender and
// the class window, each on the thread that made it. The connection string is the school's
// ([School] database=...) as libpq reads it, after this program's own defaults, which it may
// override: a short connect timeout and TCP keepalives, so that a server that went away is
// noticed. Credentials are libpq's own affair (~/.pgpass, a service file, Kerberos, peer).

#include <QSqlDatabase>
#include <QString>

#include <mutex>

struct pg_conn;

namespace numbolo {

class SchoolDatabase {
public:
    explicit SchoolDatabase(QString connection);
    ~SchoolDatabase();
    SchoolDatabase(const SchoolDatabase &) = delete;
    SchoolDatabase &operator=(const SchoolDatabase &) = delete;

    // Opens the connection where it is not open; false with what the server or libpq said.
    bool open(QString *error);
    bool isOpen() const { return m_open; }
    QSqlDatabase database() const;
    void close();
    // Breaks off whatever the connection waits for, from any thread: a server that hangs makes
    // the query fail at once instead of holding its thread.
    void interrupt();

private:
    QString m_connection;
    QString m_name;
    bool m_open = false;
    std::mutex m_socketMutex;
    int m_socket = -1;
};

// Gives `db` the school's libpq `connection`, after this program's own defaults, which it may
// override. False with a Greek `error` where libpq cannot read it, or a value other than the
// host, database, login or password holds a ";", which Qt's driver would not pass whole.
bool connectTo(QSqlDatabase &db, const QString &connection, QString *error);

// libpq's connection under `db`, an open connection of Qt's QPSQL driver; null for any other.
pg_conn *libpqConnection(const QSqlDatabase &db);

} // namespace numbolo
