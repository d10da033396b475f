#include "app/rungame.h"

#include "desktop/endrequests.h"
#include "desktop/instancelock.h"
#include "game/form1.h"
#include "game/settings.h"

#include <QApplication>
#include <QTimer>

namespace numbolo {

int runGame(Services services, const HandOver &handOver)
{
    // From the start on, a termination signal ends the game through its save, also while the
    // first message is open; the handlers stay until the process ends.
    EndRequests requests;
    InstanceLock instance(StoredSettings::lockPath(services.settings.iniPath()), handOver);
    if (!instance.acquired()) {
        switch (instance.askRunningCopyToShow()) {
        case InstanceLock::Answer::Shown:
            return 0;
        case InstanceLock::Answer::NoBus:
            // A second window would overwrite the running copy's progress: the child is told
            // where the game is instead.
            services.messages.show({MessageIcon::Information, MessageButtons::Ok, QStringLiteral("Numbolo"),
                                    QStringLiteral("Το Numbolo είναι ήδη ανοιχτό.")});
            return 0;
        case InstanceLock::Answer::NoAnswer:
            instance.takeOver();
            break;
        }
    }

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
    window.load();
    if (window.hasEnded())
        return status;

    QObject::connect(&instance, &InstanceLock::showRequested, &window, [&window] {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
    });
    window.show();
    // Later starts are answered from the event loop on, once the window is up.
    QTimer::singleShot(0, &instance, &InstanceLock::listen);
    return QCoreApplication::exec();
}

} // namespace numbolo
