#pragma once
// The program around the main window: one running copy per settings file, and every way the
// program ends (closing the window, a termination signal) or is asked to save (the desktop
// session), all through the window's one save.

#include "app/platform.h"

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

namespace numbolo {

// One running copy of the game per settings file: a lock file beside the settings file (beside
// the file a link names), held while the game runs, and a local socket on which a later start
// asks the running copy to show its window. The lock of a killed copy does not count: Qt finds
// it stale by its process id, and a lock file left empty by a kill while it was being made is
// removed once no running process holds it.
class InstanceLock : public QObject {
    Q_OBJECT
public:
    explicit InstanceLock(const QString &iniPath, QObject *parent = nullptr);

    // False when another copy runs on these settings. Where no lock can be made (the settings
    // folder cannot be written) the game runs anyway, and its save will report the folder.
    bool acquired() const { return m_acquired; }
    // Asks the copy that holds the lock to bring its window to the front. Waits a moment at most.
    bool askRunningCopyToShow() const;
    // The lock file's path.
    QString lockPath() const { return m_lock.fileName(); }

signals:
    // A later start asked this copy to show its window.
    void showRequested();

private:
    QString serverName() const;
    void listen();

    QLockFile m_lock;
    QLocalServer m_server;
    bool m_acquired = false;
};

// Runs the game on `services` until it ends and returns the exit status: 0 once the progress
// is saved, 1 when it could not be saved or a run-time error ended the program. A start while
// another copy runs on the same settings brings that copy's window to the front and returns 0.
int runGame(Services services);

} // namespace numbolo
