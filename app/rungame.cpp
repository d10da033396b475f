#include "app/rungame.h"

#include "desktop/endrequests.h"
#include "desktop/instancelock.h"
#include "game/form1.h"
#include "settings/settings.h"
#include "services/programname.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScopeGuard>

namespace numbolo {

void bringToFront(QWidget &window)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

int runGame(Services services, const HandOver &handOver)
{
    return runClaimed(StoredSettings::lockPath(services.files.iniPath()), services.messages, handOver,
                      [&services](InstanceLock &instance) { return playGame(services, instance); });
}

int runClaimed(const QString &lockPath, MessageBoxes &messages, const HandOver &handOver,
               const std::function<int(InstanceLock &)> &play)
{
    // The settings file is claimed before anything else, and answers later starts from here on:
    // also while the first start's message is open, since a message box serves the bus's calls.
    InstanceLock instance(lockPath, handOver);
    switch (instance.claim()) {
    case InstanceLock::Claim::Shown:
        return 0;
    case InstanceLock::Claim::AlreadyOpen:
        // A second window would overwrite the running copy's progress: the child is told
        // where the game is instead.
        messages.show({MessageIcon::Information, MessageButtons::Ok, ProgramName,
                       QCoreApplication::translate("Numbolo", "Το Numbolo είναι ήδη ανοιχτό.")});
        return 0;
    case InstanceLock::Claim::Ours:
        break;
    }
    return play(instance);
}

int playGame(Services services, InstanceLock &instance)
{
    // The lock says it is alive while the game runs, so that a copy on another computer sharing
    // this home does not take it over.
    instance.keepAlive(services.clock);
    // The clock belongs to the services, which may end before the lock does.
    const auto beats = qScopeGuard([&instance] { instance.stopKeepingAlive(); });
    // From here on, a termination signal ends the game through its save, also while the first
    // message is open; the handlers stay until the process ends.
    EndRequests requests;
    // The window decides when the program ends and with which status, not the last window
    // closing: that would end it with 0 before a failed save's status could count.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    Form1 window(services);
    int status = 1;
    QObject::connect(&window, &Form1::programEnded, &window, [&status](int code) {
        status = code;
        QCoreApplication::exit(code);
    });
    QObject::connect(&requests, &EndRequests::endRequested, &window, [&window] {
        // A second signal while the message about a failed save is open ends the program at once.
        if (window.hasEnded())
            QCoreApplication::exit(1);
        else
            window.shutDown();
    });
    QObject::connect(&requests, &EndRequests::saveRequested, &window, &Form1::checkpoint);
    QObject::connect(&instance, &InstanceLock::takenOver, &window, &Form1::yieldToAnotherCopy);
    window.setStillOurs([&instance] { return instance.stillOurs(); });
    // A request to show the window before it is up (a message of the start is open) brings that
    // message to the front, and the window once it shows.
    bool showWanted = false;
    QObject::connect(&instance, &InstanceLock::showRequested, &window, [&window, &showWanted] {
        if (window.hasEnded())
            return;
        if (window.isVisible())
            return bringToFront(window);
        showWanted = true;
        if (QWidget *message = QApplication::activeModalWidget()) {
            message->raise();
            message->activateWindow();
        }
    });
    window.load();
    if (window.hasEnded())
        return status;
    window.show();
    if (showWanted)
        bringToFront(window);
    return QCoreApplication::exec();
}

} // namespace numbolo
