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
// of a dead copy is, also one that names this copy's own process id (left in another process
// namespace, a sandbox or a container, where every start has the same id). A copy on another
// computer cannot be asked: it keeps a heartbeat instead, touching its lock file every
// HeartbeatMs, and its lock is taken over only once it has not been touched for StaleAfterMs, so
// a live copy is never displaced and a crashed one keeps a child out for minutes only. A copy
// that finds its lock file gone makes it again; one that finds another copy's lock in its place
// leaves it, also at its end. Each copy removes only its own name and its own lock file when it
// ends.

#include "services/services.h"

#include <QDBusConnection>
#include <QLockFile>
#include <QObject>

#include <memory>
#include <optional>

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
    static constexpr qint64 HeartbeatMs = 30'000;
    static constexpr qint64 StaleAfterMs = 5 * 60'000;

    explicit InstanceLock(const QString &lockPath, HandOver handOver = {}, QObject *parent = nullptr);
    // Gives up the name on the bus, and the lock file where it is still this copy's.
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
    // Touches the lock file every HeartbeatMs of `clock` while this copy runs, after a claim that
    // made it Ours; checks at each beat that the file is still this copy's.
    void keepAlive(Clock &clock);
    // Stops the beats; called before `clock` goes, which may be before this lock does.
    void stopKeepingAlive();
    // False once another copy's lock is in place of this one's: asked before the game does
    // anything, so that a copy waking from a computer's sleep, whose beat is not due yet, saves
    // nothing over the copy that took the lock over. Looks at the file once a second of the
    // clock of keepAlive() at most.
    bool stillOurs();

    // The lock file's path, and the name under which the running copy answers.
    QString lockPath() const { return m_lock->fileName(); }
    QString serviceName() const;

public slots:
    // What a later start calls on the bus.
    Q_SCRIPTABLE void Show() { emit showRequested(); }

signals:
    // A later start asked this copy to show its window.
    void showRequested();
    // A heartbeat found another copy's lock in place of this one's: that copy, on a computer
    // sharing this home, took it over while this one could not keep it alive (its computer
    // asleep), and runs the game now.
    void takenOver();

private:
    enum class Asked { Shown, Gone, Silent };
    Asked askOwnerToShow(QDBusConnection &bus) const;
    // False while a copy alive on this computer holds the lock file.
    bool takeLockFile();
    bool ownerOnThisComputer() const;
    // True where the lock file holds what this copy wrote into it.
    bool lockFileIsOurs() const;
    void beat();
    QDBusConnection bus() const;

    std::unique_ptr<QLockFile> m_lock;
    QByteArray m_ours; // the lock file as this copy made it; empty while it holds none
    Clock *m_clock = nullptr;
    std::optional<qint64> m_lookedAt; // when stillOurs() last looked at the file, by m_clock
    bool m_stillOurs = true;
    Clock::Id m_beat = 0;
    HandOver m_handOver;
    bool m_registered = false;
    bool m_named = false;
};

} // namespace numbolo
