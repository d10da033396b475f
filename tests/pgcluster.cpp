#include "pgcluster.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <unistd.h>

namespace {

// The server's own user where the tests run as root.
const char *const ServerUser = "nobody";

} // namespace

PgCluster::PgCluster() = default;

PgCluster::~PgCluster()
{
    if (QFile::exists(m_dir.filePath(QStringLiteral("data/postmaster.pid"))))
        stop();
}

bool PgCluster::run(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    QStringList command{program};
    command += arguments;
    // The server's programs run as the server's user; psql and chown as the test.
    if (::geteuid() == 0 && (program.endsWith(QLatin1String("/initdb")) || program.endsWith(QLatin1String("/pg_ctl"))))
        command = QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=%1").arg(QLatin1String(ServerUser)),
                              QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups"), QStringLiteral("--")}
                  + command;
    process.setProcessChannelMode(output != nullptr ? QProcess::SeparateChannels : QProcess::MergedChannels);
    process.start(command.takeFirst(), command);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_lastError = program + QStringLiteral(": ")
                      + QString::fromLocal8Bit(output != nullptr ? process.readAllStandardError() : process.readAll());
        return false;
    }
    if (output != nullptr)
        *output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    return true;
}

bool PgCluster::create(QString *why)
{
    for (const char *version : {"15", "16", "17"}) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(QLatin1String(version));
        if (QFile::exists(bin + QStringLiteral("/initdb"))) {
            m_bin = bin;
            break;
        }
    }
    if (m_bin.isEmpty()) {
        *why = QStringLiteral("PostgreSQL's initdb is not installed (the package postgresql)");
        return false;
    }
    if (!m_dir.isValid()) {
        *why = QStringLiteral("no temporary folder");
        return false;
    }
    if (::geteuid() == 0 && !run(QStringLiteral("chown"), {QStringLiteral("nobody:nogroup"), m_dir.path()})) {
        *why = m_lastError;
        return false;
    }
    if (!run(m_bin + QStringLiteral("/initdb"),
             {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("--auth=trust"),
              QStringLiteral("--username=postgres"), QStringLiteral("--encoding=UTF8"), QStringLiteral("--locale=C.UTF-8"),
              QStringLiteral("--no-sync")})
        || !start()) {
        *why = m_lastError;
        return false;
    }
    QString unused;
    if (!run(m_bin + QStringLiteral("/psql"),
             {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
              QStringLiteral("-h"), m_dir.path(), QStringLiteral("-U"), QStringLiteral("postgres"), QStringLiteral("-d"),
              QStringLiteral("postgres"), QStringLiteral("-c"), QStringLiteral("CREATE DATABASE numbolo")},
             &unused)
        || !run(m_bin + QStringLiteral("/psql"),
                {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
                 QStringLiteral("-h"), m_dir.path(), QStringLiteral("-U"), QStringLiteral("postgres"),
                 QStringLiteral("-d"), QStringLiteral("numbolo"), QStringLiteral("-f"),
                 QStringLiteral(NUMBOLO_SOURCE_DIR "/school/numbolo-school.sql")},
                &unused)) {
        *why = m_lastError;
        return false;
    }
    return true;
}

bool PgCluster::start()
{
    // Only the socket in the temporary folder; fsync off, since the cluster is thrown away.
    return run(m_bin + QStringLiteral("/pg_ctl"),
               {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-l"),
                m_dir.filePath(QStringLiteral("server.log")), QStringLiteral("-w"), QStringLiteral("-o"),
                QStringLiteral("-c listen_addresses='' -k %1 -c fsync=off -c max_connections=100").arg(m_dir.path()),
                QStringLiteral("start")});
}

bool PgCluster::stop()
{
    return run(m_bin + QStringLiteral("/pg_ctl"),
               {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-m"), QStringLiteral("fast"),
                QStringLiteral("-w"), QStringLiteral("stop")});
}

std::vector<qint64> PgCluster::processes() const
{
    QFile pidFile(m_dir.filePath(QStringLiteral("data/postmaster.pid")));
    if (!pidFile.open(QIODevice::ReadOnly))
        return {};
    const qint64 postmaster = pidFile.readLine().trimmed().toLongLong();
    std::vector<qint64> all{postmaster};
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(postmaster));
    if (children.open(QIODevice::ReadOnly))
        for (const QByteArray &child : children.readAll().split(' '))
            if (!child.trimmed().isEmpty())
                all.push_back(child.trimmed().toLongLong());
    return all;
}

QString PgCluster::connection(const QString &user) const
{
    return QStringLiteral("host=%1 dbname=numbolo user=%2").arg(m_dir.path(), user);
}

QString PgCluster::psql(const QString &sql, const QString &user)
{
    QString output;
    if (!run(m_bin + QStringLiteral("/psql"),
             {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"), QStringLiteral("-t"), QStringLiteral("-v"),
              QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"), m_dir.path(), QStringLiteral("-U"),
              user.isEmpty() ? QStringLiteral("postgres") : user, QStringLiteral("-d"), QStringLiteral("numbolo"),
              QStringLiteral("-c"), sql},
             &output))
        return QString();
    return output.isNull() ? QStringLiteral("") : output;
}
