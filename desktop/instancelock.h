#pragma once
// One running copy of the game per settings file: a lock file beside the settings file (beside
// the file a link names), held while the game runs. The copy that holds it answers a later
// start's request to show its window on the session bus, under a name made from the lock's
// path. Only a copy on this computer keeps a later start from running, one that answers or one
// that cannot be asked for want of a session bus: the lock of a killed copy, of a copy on
// another computer sharing the home folder, of another user, or of a copy that does not answer
// is taken over.

#include <QDBusConnection>
#include <QLockFile>
#include <QObject>

namespace numbolo {

// How a start hands over to the copy that holds the lock.
struct HandOver {
    // The name of the D-Bus connection the copies meet on; empty for the session bus.
    QString bus;
    // How long a start waits for a copy on this computer to answer: one that is still starting
    // answers once its window is up.
    int answerWaitMs = 1500;
};

class InstanceLock : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.numbolo.Numbolo.Instance")
public:
    // Takes the lock file `lockPath` where no other copy holds it.
    explicit InstanceLock(const QString &lockPath, HandOver handOver = {}, QObject *parent = nullptr);

    // False while another copy holds the lock. Where no lock can be made (the settings folder
    // cannot be written) the game runs anyway, and its save will report the folder.
    bool acquired() const { return m_acquired; }
    enum class Answer {
        Shown,    // the copy answered: it brings its window to the front
        NoAnswer, // no copy on this computer answered in time: its lock may be taken over
        NoBus,    // a copy on this computer holds the lock, and without a bus it cannot be asked
    };
    // Asks the copy that holds the lock to bring its window to the front, waiting a moment for
    // a copy on this computer that is still starting.
    Answer askRunningCopyToShow() const;
    // Takes the lock of a copy that did not answer. A lock that is no file (a folder) stays; the
    // game then runs without one.
    void takeOver();
    // Starts answering later starts on the bus.
    void listen();
    // The lock file's path, and the name under which the holder answers.
    QString lockPath() const { return m_lock.fileName(); }
    QString serviceName() const;

public slots:
    // What a later start calls on the session bus.
    Q_SCRIPTABLE void Show() { emit showRequested(); }

signals:
    // A later start asked this copy to show its window.
    void showRequested();

private:
    bool ownerOnThisComputer() const;
    QDBusConnection bus() const;

    QLockFile m_lock;
    HandOver m_handOver;
    bool m_acquired = false;
    bool m_listening = false;
};

} // namespace numbolo
