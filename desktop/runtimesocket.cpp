#include "desktop/runtimesocket.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace numbolo {

namespace {

QString runtimeSocketPath(const QString &name)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name + QStringLiteral(".socket"));
}

#ifdef Q_OS_UNIX
// A socket address for `path`, or false when the path does not fit in one.
bool socketAddress(const QString &path, sockaddr_un *address)
{
    const QByteArray bytes = QFile::encodeName(path);
    *address = {};
    address->sun_family = AF_UNIX;
    if (bytes.isEmpty() || std::size_t(bytes.size()) >= sizeof address->sun_path)
        return false;
    std::memcpy(address->sun_path, bytes.constData(), std::size_t(bytes.size()));
    return true;
}
#endif

} // namespace

RuntimeSocket::RuntimeSocket(const QString &name, QObject *parent) : QObject(parent), m_path(runtimeSocketPath(name))
{
}

RuntimeSocket::~RuntimeSocket()
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0) {
        delete m_notifier;
        ::close(m_fd);
        ::unlink(QFile::encodeName(m_path).constData());
    }
#endif
}

bool RuntimeSocket::listen()
{
#ifdef Q_OS_UNIX
    sockaddr_un address;
    if (m_fd >= 0 || !socketAddress(m_path, &address))
        return false;
    m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (m_fd < 0)
        return false;
    ::fcntl(m_fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    ::unlink(address.sun_path);
    if (::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(m_fd, 4) != 0) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RuntimeSocket::answer);
    return true;
#else
    return false;
#endif
}

void RuntimeSocket::answer()
{
#ifdef Q_OS_UNIX
    bool any = false;
#ifdef MSG_NOSIGNAL
    constexpr int flags = MSG_NOSIGNAL | MSG_DONTWAIT; // a start that gave up does not raise SIGPIPE
#else
    constexpr int flags = MSG_DONTWAIT;
#endif
    for (int client; (client = ::accept(m_fd, nullptr, nullptr)) >= 0;) {
        // One byte says that this copy heard: the asking start may end.
        [[maybe_unused]] const auto sent = ::send(client, "1", 1, flags);
        ::close(client);
        any = true;
    }
    if (any)
        emit asked();
#endif
}

bool RuntimeSocket::ask(int timeoutMs) const
{
#ifdef Q_OS_UNIX
    sockaddr_un address;
    if (m_fd >= 0 || !socketAddress(m_path, &address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    bool answered = false;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0) {
        pollfd reply{fd, POLLIN, 0};
        char byte = 0;
        answered = ::poll(&reply, 1, timeoutMs) > 0 && ::recv(fd, &byte, 1, 0) == 1 && byte == '1';
    }
    ::close(fd);
    return answered;
#else
    Q_UNUSED(timeoutMs);
    return false;
#endif
}

} // namespace numbolo
