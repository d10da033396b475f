#include "app/program.h"

#include "app/form1.h"
#include "app/settings.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

namespace numbolo {

namespace {

QString lockFileFor(const QString &iniPath)
{
    QString target = StoredSettings::resolvedPath(iniPath);
    if (target.isEmpty())
        target = QFileInfo(iniPath).absoluteFilePath();
    const QFileInfo info(target);
    // Not "<file>.lock": Qt's own INI writer takes that name for short locks of its own.
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".lock"));
}

} // namespace

InstanceLock::InstanceLock(const QString &iniPath, QObject *parent) : QObject(parent), m_lock(lockFileFor(iniPath))
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
    if (locked)
        listen();
}

QString InstanceLock::serverName() const
{
    const QByteArray id = QFileInfo(m_lock.fileName()).absoluteFilePath().toUtf8();
    return QStringLiteral("Numbolo-")
        + QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(24));
}

void InstanceLock::listen()
{
    // A socket left by a killed copy is in the way; this copy holds the lock, so it is not in use.
    QLocalServer::removeServer(serverName());
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(serverName());
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server.nextPendingConnection()) {
            socket->disconnectFromServer();
            socket->deleteLater();
        }
        emit showRequested();
    });
}

bool InstanceLock::askRunningCopyToShow() const
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    const bool asked = socket.waitForConnected(1000);
    socket.disconnectFromServer();
    return asked;
}

int runGame(Services services)
{
    InstanceLock instance(services.settings.iniPath());
    if (!instance.acquired()) {
        instance.askRunningCopyToShow();
        return 0;
    }

    // The window decides when the program ends and with which status, not the last window
    // closing: that would end it with 0 before a failed save's status could count.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    Form1 window(services);
    QObject::connect(&window, &Form1::programEnded, &window, [](int status) { QCoreApplication::exit(status); });
    window.load();
    if (window.hasEnded())
        return 1;

    auto *requests = new EndRequests(&window); // ends with the window
    QObject::connect(requests, &EndRequests::endRequested, &window, [&window] {
        // A second signal while the message about a failed save is open ends the program at once.
        if (window.hasEnded())
            QCoreApplication::exit(1);
        else
            window.shutDown();
    });
    QObject::connect(requests, &EndRequests::saveRequested, &window, &Form1::checkpoint);
    QObject::connect(&instance, &InstanceLock::showRequested, &window, [&window] {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
    });

    window.show();
    return QCoreApplication::exec();
}

} // namespace numbolo
