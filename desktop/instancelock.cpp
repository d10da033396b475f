#include "desktop/instancelock.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

#include <utility>

namespace numbolo {

namespace {

const QString ObjectPath = QStringLiteral("/io/github/numbolo/Numbolo");

} // namespace

InstanceLock::InstanceLock(const QString &lockPath, HandOver handOver, QObject *parent)
    : QObject(parent), m_lock(lockPath), m_handOver(handOver)
{
    // Held for as long as the game runs, so never stale by age; only a dead owner frees it.
    m_lock.setStaleLockTime(0);
    QDir().mkpath(QFileInfo(m_lock.fileName()).absolutePath());
    bool locked = m_lock.tryLock(0);
    if (!locked && m_lock.error() == QLockFile::LockFailedError && !m_lock.getLockInfo(nullptr, nullptr, nullptr)) {
        // A lock file without its owner's id: a copy was killed while it made the lock. Removing
        // it fails while a running copy holds it.
        locked = m_lock.removeStaleLockFile() && m_lock.tryLock(0);
    }
    m_acquired = locked || m_lock.error() != QLockFile::LockFailedError;
}

QString InstanceLock::serviceName() const
{
    // The session bus is the user's own; the name tells the settings files apart.
    const QByteArray id = QFileInfo(m_lock.fileName()).absoluteFilePath().toUtf8();
    return QStringLiteral("io.github.numbolo.Numbolo.i")
        + QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(24));
}

bool InstanceLock::ownerOnThisComputer() const
{
    // Qt's lock file: the owner's process id, program, host name and machine id, a line each.
    QString host;
    if (!m_lock.getLockInfo(nullptr, &host, nullptr) || host != QSysInfo::machineHostName())
        return false;
    QFile file(m_lock.fileName());
    const QList<QByteArray> lines = file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>();
    return lines.size() < 4 || lines[3].isEmpty() || lines[3] == QSysInfo::machineUniqueId();
}

QDBusConnection InstanceLock::bus() const
{
    return m_handOver.bus.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(m_handOver.bus);
}

InstanceLock::Answer InstanceLock::askRunningCopyToShow() const
{
    const bool here = ownerOnThisComputer();
    QDBusConnection bus = this->bus();
    if (!bus.isConnected())
        return here ? Answer::NoBus : Answer::NoAnswer;
    const QDeadlineTimer deadline(here ? m_handOver.answerWaitMs : 0);
    const QDBusMessage call = QDBusMessage::createMethodCall(
        serviceName(), ObjectPath, QStringLiteral("io.github.numbolo.Numbolo.Instance"), QStringLiteral("Show"));
    for (;;) {
        const qint64 wait = std::max<qint64>(deadline.remainingTime(), 200);
        if (bus.call(call, QDBus::Block, int(wait)).type() == QDBusMessage::ReplyMessage)
            return Answer::Shown;
        if (deadline.hasExpired())
            return Answer::NoAnswer;
        QThread::msleep(100); // the copy is still starting: it has not begun to answer yet
    }
}

void InstanceLock::takeOver()
{
    if (QFileInfo(m_lock.fileName()).isFile() && QFile::remove(m_lock.fileName()))
        m_lock.tryLock(0);
    m_acquired = true;
}

void InstanceLock::listen()
{
    if (std::exchange(m_listening, true))
        return;
    QDBusConnection bus = this->bus();
    if (bus.isConnected() && bus.registerObject(ObjectPath, this, QDBusConnection::ExportScriptableSlots))
        bus.interface()->registerService(serviceName(), QDBusConnectionInterface::ReplaceExistingService,
                                         QDBusConnectionInterface::AllowReplacement);
}

} // namespace numbolo
