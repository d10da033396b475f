#include "desktop/endrequests.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace numbolo {

#ifdef Q_OS_UNIX
namespace {

constexpr int EndSignals[] = {SIGTERM, SIGHUP, SIGINT};
// Made once and kept until the process ends, like the handlers that write into it.
int signalPipe[2] = {-1, -1};

// Runs inside the signal: write() is safe there, and errno is kept for the code it interrupted.
void onEndSignal(int signal)
{
    const int saved = errno;
    const char byte = char(signal);
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

// Empties the pipe; true when a signal was in it.
bool drainSignals()
{
    char bytes[16];
    bool received = false;
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0)
        received = true;
    return received;
}

} // namespace
#endif

EndRequests::EndRequests(QObject *parent) : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (signalPipe[0] < 0 && ::pipe(signalPipe) == 0) {
        for (const int fd : signalPipe) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
    if (signalPipe[0] >= 0) {
        drainSignals(); // signals that came while no one listened are past
        m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &EndRequests::readSignals);
        struct sigaction action = {};
        action.sa_handler = onEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signal : EndSignals) {
            struct sigaction current = {};
            // Whoever started the program with a signal ignored (nohup) wants it ignored.
            if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler != SIG_IGN)
                ::sigaction(signal, &action, nullptr);
        }
    }
#endif
    if (auto *app = QCoreApplication::instance())
        app->installEventFilter(this);
#if QT_CONFIG(sessionmanager)
    // The desktop session asks its programs to save before it ends (and may then go on).
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) { emit saveRequested(); },
                Qt::DirectConnection);
        connect(app, &QGuiApplication::saveStateRequest, this, [this](QSessionManager &) { emit saveRequested(); },
                Qt::DirectConnection);
    }
#endif
}

EndRequests::~EndRequests() = default;

bool EndRequests::eventFilter(QObject *watched, QEvent *event)
{
    // Qt answers a quit request (the session's end, for one) by closing the windows, which a
    // window waiting for a child's answer refuses: the program ends through its save instead.
    if (event->type() == QEvent::Quit && watched == QCoreApplication::instance()) {
        emit endRequested();
        return true;
    }
    return false;
}

void EndRequests::readSignals()
{
#ifdef Q_OS_UNIX
    if (drainSignals())
        emit endRequested();
#endif
}

} // namespace numbolo
