#include "desktop/instancelock.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

namespace numbolo {

namespace {

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString ObjectPath = QStringLiteral("/io/github/numbolo/Numbolo");
const QString Interface = QStringLiteral("io.github.numbolo.Numbolo.Instance");

} // namespace

InstanceLock::InstanceLock(const QString &lockPath, HandOver handOver, QObject *parent)
    : QObject(parent), m_lock(std::make_unique<QLockFile>(lockPath)), m_handOver(std::move(handOver))
{
    // Qt's own staleness by age would take a live local copy's lock: the age of another
    // computer's lock is judged here, by its heartbeat.
    m_lock->setStaleLockTime(0);
}

InstanceLock::~InstanceLock()
{
    stopKeepingAlive();
    QDBusConnection bus = this->bus();
    if (m_named && bus.isConnected())
        bus.interface()->unregisterService(serviceName());
    if (m_registered)
        bus.unregisterObject(ObjectPath);

    // QLockFile removes its file by name: another copy's lock in its place must stay. Last, since
    // the name on the bus is made from the lock's path.
    if (m_lock->isLocked() && !lockFileIsOurs())
        (void)m_lock.release(); // its descriptor closes as the process ends
}

QString InstanceLock::serviceName() const
{
    // The session bus is the user's own; the name tells the settings files apart.
    const QByteArray id = QFileInfo(m_lock->fileName()).absoluteFilePath().toUtf8();
    return QStringLiteral("io.github.numbolo.Numbolo.i")
        + QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(24));
}

QDBusConnection InstanceLock::bus() const
{
    return m_handOver.bus.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(m_handOver.bus);
}

InstanceLock::Claim InstanceLock::claim()
{
    QDBusConnection bus = this->bus();
    if (bus.isConnected()) {
        // The object first, so that it answers from the moment the name is ours.
        m_registered = bus.registerObject(ObjectPath, this, QDBusConnection::ExportScriptableSlots);
        // A name whose owner ends between the claim and the question is claimed again.
        for (int attempt = 0; attempt < 3 && !m_named; ++attempt) {
            const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = bus.interface()->registerService(
                serviceName(), QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
            if (!reply.isValid())
                break; // the bus does not work: as without one
            m_named = reply.value() == QDBusConnectionInterface::ServiceRegistered;
            if (m_named)
                break;
            switch (askOwnerToShow(bus)) {
            case Asked::Shown: return Claim::Shown;
            case Asked::Silent: return Claim::AlreadyOpen;
            case Asked::Gone: break;
            }
        }
    }
    return takeLockFile() ? Claim::Ours : Claim::AlreadyOpen;
}

InstanceLock::Asked InstanceLock::askOwnerToShow(QDBusConnection &bus) const
{
    // The wait lets this thread's events run, so that a copy in this very process (in tests)
    // can answer too.
    const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(serviceName(), ObjectPath, Interface,
                                                                       QStringLiteral("Show")),
                                        QDBus::BlockWithGui, m_handOver.answerWaitMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return Asked::Shown;
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown")
        || reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return Asked::Gone;
    return Asked::Silent;
}

bool InstanceLock::takeLockFile()
{
    QDir().mkpath(QFileInfo(m_lock->fileName()).absolutePath());
    const auto taken = [this] {
        m_ours = fileContents(m_lock->fileName());
        return true;
    };
    // tryLock() itself removes the lock of a copy that died on this computer.
    if (m_lock->tryLock(0))
        return taken();
    if (m_lock->error() != QLockFile::LockFailedError)
        return true; // none can be made here: the game runs without one
    if (!m_lock->getLockInfo(nullptr, nullptr, nullptr)) {
        // A lock file without its owner's id: a copy was killed while it made the lock. A folder
        // in the lock's place stays; the game then runs without a lock.
        if (!QFileInfo(m_lock->fileName()).isFile() || !m_lock->removeStaleLockFile())
            return true;
        // Another start that takes it at the same moment wins the tryLock().
        return m_lock->tryLock(0) && taken();
    }
    if (ownerOnThisComputer()) {
        // A lock naming this very process was left by a copy that ended in another process
        // namespace (a sandbox or a container gives every start the same id), which tryLock()
        // takes for alive. Qt's removal leaves a lock that a live copy still holds.
        qint64 owner = 0;
        if (m_lock->getLockInfo(&owner, nullptr, nullptr) && owner == QCoreApplication::applicationPid()
            && m_lock->removeStaleLockFile())
            return m_lock->tryLock(0) && taken();
        // tryLock() could not remove a dead owner's lock where the folder cannot be written, nor
        // can any copy save its settings there: the game runs without a lock, as where none can
        // be made, and its name on the bus keeps the starts of this session out.
        return !QFileInfo(QFileInfo(m_lock->fileName()).absolutePath()).isWritable();
    }
    // A copy on another computer sharing the home folder: taken over only once its heartbeat
    // has stopped.
    const QDateTime touched = QFileInfo(m_lock->fileName()).lastModified();
    if (qAbs(touched.msecsTo(QDateTime::currentDateTimeUtc())) <= StaleAfterMs)
        return false;
    return QFile::remove(m_lock->fileName()) && m_lock->tryLock(0) && taken();
}

void InstanceLock::keepAlive(Clock &clock)
{
    if (m_ours.isEmpty() || m_clock != nullptr)
        return;
    m_clock = &clock;
    m_beat = clock.callAt(clock.now() + HeartbeatMs, [this] { beat(); });
}

void InstanceLock::stopKeepingAlive()
{
    if (m_clock != nullptr)
        m_clock->cancel(m_beat);
    m_clock = nullptr;
}

void InstanceLock::beat()
{
    const QString path = m_lock->fileName();
    if (!QFileInfo::exists(path)) {
        // Removed by another copy (or a person): made again, so the next start finds it.
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            file.write(m_ours);
    } else if (lockFileIsOurs()) {
        QFile file(path);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
    } else {
        // Another copy took it over while this one did not beat (a computer asleep): that copy
        // runs now, and its lock is left to it.
        emit takenOver();
        return;
    }
    m_beat = m_clock->callAt(m_clock->now() + HeartbeatMs, [this] { beat(); });
}

bool InstanceLock::stillOurs()
{
    const std::optional<qint64> now = m_clock != nullptr ? std::optional(m_clock->now()) : std::nullopt;
    if (m_ours.isEmpty() || !m_stillOurs || (now && m_lookedAt && *now - *m_lookedAt < 1000))
        return m_stillOurs;
    m_lookedAt = now;
    // A lock gone is made again at the next beat; it stays ours until another copy makes one.
    m_stillOurs = !QFileInfo::exists(m_lock->fileName()) || lockFileIsOurs();
    return m_stillOurs;
}

bool InstanceLock::lockFileIsOurs() const
{
    return !m_ours.isEmpty() && fileContents(m_lock->fileName()) == m_ours;
}

bool InstanceLock::ownerOnThisComputer() const
{
    // Qt's lock file: the owner's process id, program, host name, machine id and boot id, a line
    // each (the last two since Qt 5.10). As Qt decides it: by the machine id where both sides
    // know one, else by the host name.
    QString host;
    if (!m_lock->getLockInfo(nullptr, &host, nullptr))
        return false;
    QFile file(m_lock->fileName());
    const QList<QByteArray> lines = file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>();
    const QByteArray machine = lines.size() > 3 ? lines[3] : QByteArray();
    if (!machine.isEmpty() && !QSysInfo::machineUniqueId().isEmpty())
        return machine == QSysInfo::machineUniqueId();
    return host.isEmpty() || host == QSysInfo::machineHostName();
}

} // namespace numbolo
