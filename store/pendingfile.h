#pragma once
// The records the store could not write into the history yet, kept beside it in a JSON file
// until a later store writes them, and what the progress window says of them.

#include "store/historystore.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <deque>
#include <optional>
#include <vector>

namespace numbolo {

// The play waiting in the pending file to be recorded: how many records, and the times of the
// first and the last; no records where there are none.
struct Unrecorded {
    int records = 0;
    QDateTime first;
    QDateTime last;
};
Unrecorded readUnrecorded(const QString &pendingPath);

// A record as the pending file keeps it, and back; none where `json` is no such record. The
// class store's queue keeps its records the same way.
QJsonObject toJson(const HistoryStore::Record &record);
std::optional<HistoryStore::Record> fromJson(const QJsonObject &json);

// The records of the pending file at `pendingPath`, in order; none where there is no such file or
// it cannot be read, and a record that cannot be read is left out.
std::vector<HistoryStore::Record> readPendingRecords(const QString &pendingPath);

// Takes the records `taken` (read from the file earlier by this copy) out of the pending file at
// `pendingPath` and adds `kept`, in the order of their times; what another copy sharing the
// folder added meanwhile stays. Done under a lock file beside it (`<pendingPath>.lock`), so two
// copies never write over each other's records; the file goes where nothing is left, and is
// readable by its owner only. False, with why, where the lock cannot be had or the file written.
bool replacePendingRecords(const QString &pendingPath, const std::vector<HistoryStore::Record> &taken,
                           const std::deque<HistoryStore::Record> &kept, QString *why);

} // namespace numbolo
