#pragma once
// The ways to make targets that were found before, kept so that a report of years of play does
// not find them all again.

#include <QHash>
#include <QString>

#include <vector>

namespace numbolo {

// One target's way as it is remembered: "" where none is within the solver's reach.
struct RememberedWay {
    QString keys; // as the history keeps them ("4 5 7 / +")
    QString target;
    QString way;
};

// Ways in an SQLite file of their own beside the history, by key set, target and the version of
// the solver that found them, so that a later solver that would find another way finds it
// again. It is only a cache, with nothing of the history in it: a file that cannot be read
// gives no ways, one that cannot be written remembers none, and a damaged one is removed and
// started anew; the ways are then found again. Written without waiting for the disk
// (synchronous=OFF): a crash may lose what was remembered last, or damage the file. The file is
// the user's alone (0600). One object per thread.
//
// The schema: key_set (solver INTEGER NOT NULL, keys TEXT NOT NULL, ways TEXT NOT NULL,
// PRIMARY KEY (solver, keys)) WITHOUT ROWID; `ways` holds "target:way" for each target,
// separated by blanks ("12:3*2*2 2: 7:1+2*3"), since neither a target nor a way has a blank or
// a colon. A row a key set, read whole, so that the ways of years are a few thousand rows.
class RememberedWays {
public:
    // The file beside the history at `historyPath`: "history.sqlite" has "history.sqlite.ways".
    static QString besideHistory(const QString &historyPath);

    // `solver`: the version of the solver whose ways are read and remembered. A writer waits
    // `busyMilliseconds` at most for another.
    RememberedWays(QString path, int solver, int busyMilliseconds = 2000);
    ~RememberedWays();
    RememberedWays(const RememberedWays &) = delete;
    RememberedWays &operator=(const RememberedWays &) = delete;

    // The ways remembered for `keys`, by target; none where the file cannot be read.
    QHash<QString, QString> of(const QString &keys);
    // Remembers `ways` in one transaction, keeping a way remembered before; false where the
    // file could not be written. A target or way with a blank or a colon is not remembered.
    bool remember(const std::vector<RememberedWay> &ways);

private:
    bool open();
    void closeAfter(int sqliteCode);

    QString m_path;
    int m_solver;
    int m_busy;
    QString m_connection;
    bool m_open = false;
    bool m_startedAnew = false; // a damaged file is removed once a session
};

} // namespace numbolo
