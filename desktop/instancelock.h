#pragma once
// One running copy of the game per settings file. A start first claims a name on the session
// bus, made from the path of the settings file's lock: the bus gives a name to one connection
// at a time, so of two starts at the same moment exactly one wins, and the winner answers later
// starts' requests to show its window from that moment on, before its window exists. A start
// that finds the name taken asks its owner to show its window and ends; an owner that does not
// answer is still running, and the start says that the game is open.
//
// The lock file beside the settings file (beside the file a link names) keeps apart the copies
// that do not meet on one bus: copies on other computers sharing the home folder, and copies
// without a session bus. A lock whose owner is alive on this computer is never deleted; the lock
// of a dead copy is, and so is the lock of a copy on another computer, which cannot be asked and
// may be long gone. Each copy removes only its own name and its own lock file when it ends.

#include <QDBusConnection>
#include <QLockFile>
#include <QObject>

namespace numbolo {

// How a start hands over to the copy that runs.
struct HandOver {
    // The name of the D-Bus connection the copies meet on; empty for the session bus.
    QString bus;
    // How long a start waits for the running copy's answer. It answers at once, also while it
    // shows a message: only a copy that hangs makes a start wait this long.
    int answerWaitMs = 1500;
};

class InstanceLock : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.numbolo.Numbolo.Instance")
public:
    explicit InstanceLock(const QString &lockPath, HandOver handOver = {}, QObject *parent = nullptr);
    // Gives up the name on the bus; the lock file goes with the QLockFile.
    ~InstanceLock() override;

    enum class Claim {
        Ours,        // this copy runs: no other copy on this computer does
        Shown,       // the running copy answered: it brings its window to the front
        AlreadyOpen, // a copy on this computer runs, and cannot be asked or did not answer
    };
    // Claims the settings file for this copy. Where no lock file can be made (a read-only
    // settings folder) the name on the bus alone keeps other starts out, and the game's save
    // will report the folder. Once.
    Claim claim();

    // The lock file's path, and the name under which the running copy answers.
    QString lockPath() const { return m_lock.fileName(); }
    QString serviceName() const;

public slots:
    // What a later start calls on the bus.
    Q_SCRIPTABLE void Show() { emit showRequested(); }

signals:
    // A later start asked this copy to show its window.
    void showRequested();

private:
    enum class Asked { Shown, Gone, Silent };
    Asked askOwnerToShow(QDBusConnection &bus) const;
    // False while a copy alive on this computer holds the lock file.
    bool takeLockFile();
    bool ownerOnThisComputer() const;
    QDBusConnection bus() const;

    QLockFile m_lock;
    HandOver m_handOver;
    bool m_registered = false;
    bool m_named = false;
};

} // namespace numbolo
