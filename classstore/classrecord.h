#pragma once
// One record of play as the class store keeps it: the record the local history keeps, under the
// pupil's profile and class, with an id made once for it. The id is a name-based UUID of the
// profile, the game and what the record is (its start, exercise n, its end), so the same record
// has the same id however it reaches the queue (as it is played, or read from the local history
// when a school turns the store on later), and the server stores it once.

#include "store/historystore.h"

#include <QByteArray>
#include <QString>
#include <QUuid>

#include <optional>

namespace numbolo {

struct ClassRecord {
    QUuid id;
    QString profile;
    QString className;
    HistoryStore::Record record;
};

// The id of `record` of the player `profile`.
QUuid classRecordId(const QString &profile, const HistoryStore::Record &record);
// `record` with its id, as the queue and the server keep it.
ClassRecord classRecord(const QString &profile, const QString &className, const HistoryStore::Record &record);

// A record as one line of the queue (JSON, without the line end), and back; none where the line
// is no such record (torn by a kill, or of a later program).
QByteArray queueLine(const ClassRecord &record);
std::optional<ClassRecord> fromQueueLine(const QByteArray &line);

} // namespace numbolo
