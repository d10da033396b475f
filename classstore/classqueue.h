#pragma once
// The queue of records for the class store: a file of the player's (0600), one record a line,
// that the game appends to and the sender takes from. It survives restarts and a kill (each line
// is written whole, and reaches the disk, before add() returns; a line torn by a kill is left
// out when read). Where the disk is full, what cannot be written is kept in memory and written
// with the next record; what never could be is said by close().

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <deque>
#include <mutex>
#include <vector>

namespace numbolo {

class ClassQueue {
public:
    explicit ClassQueue(QString path);

    // Appends `line` (no line end in it). Safe from any thread; never waits for the network.
    void add(const QByteArray &line);
    void add(const std::vector<QByteArray> &lines);

    // The oldest records waiting, at most `max`; what drop() is given once they are stored.
    struct Taken {
        std::vector<QByteArray> lines;
        qint64 fileBytes = 0;        // of the file's start, which the lines were read from
        std::size_t fromMemory = 0;  // lines from the records not written to the file yet
    };
    Taken take(std::size_t max);
    // Forgets what `taken` held: the server has it.
    void drop(const Taken &taken);

    // Writes what could not be written yet; the number of records that still could not.
    std::size_t close();

    QString path() const { return m_path; }

private:
    bool append(const QByteArray &bytes);

    QString m_path;
    std::mutex m_mutex;
    std::deque<QByteArray> m_unwritten;
};

// Where the queue of the history at `historyPath` is kept: beside it, the player's own.
QString classQueuePath(const QString &historyPath);

// What waits in the queue at `path`: how many records, and when the oldest was played.
struct QueueState {
    int records = 0;
    QDateTime since;
};
QueueState readQueueState(const QString &path);

} // namespace numbolo
