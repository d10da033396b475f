#pragma once
// A real PostgreSQL server for the class store's tests: a throw-away cluster of Debian's
// postgresql package (initdb and pg_ctl of /usr/lib/postgresql/<version>/bin) in a temporary
// folder, listening only on a Unix socket there, every login let in by name (trust), so that a
// test can be any pupil or teacher. As root the server runs as the user nobody, since PostgreSQL
// refuses to run as root. The set-up script school/numbolo-school.sql is applied to its
// database numbolo.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

class PgCluster {
public:
    PgCluster();
    ~PgCluster();
    PgCluster(const PgCluster &) = delete;
    PgCluster &operator=(const PgCluster &) = delete;

    // Makes the cluster, starts it and sets up the database; false with why where PostgreSQL
    // cannot run here.
    bool create(QString *why);
    bool start();
    bool stop();

    // The server's processes: the postmaster and its children, for a test that stops them all.
    std::vector<qint64> processes() const;

    // The libpq connection string of the database for the login `user`.
    QString connection(const QString &user) const;
    // Runs `sql` with psql as `user` (the superuser where empty); its output, unaligned and
    // without headers, or a null string where psql failed (what it said is in lastError()).
    QString psql(const QString &sql, const QString &user = QString());
    QString lastError() const { return m_lastError; }

private:
    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr);

    QTemporaryDir m_dir;
    QString m_bin;
    QString m_lastError;
};
