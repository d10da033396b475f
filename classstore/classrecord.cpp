#include "classstore/classrecord.h"

#include "store/pendingfile.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace numbolo {

namespace {

// The namespace of the records' ids, made once for this program.
const QUuid RecordIds(QStringLiteral("{6f1d2a8e-3c57-4b0e-9a41-0d6c2f7b93e5}"));

QString whatOf(const HistoryStore::Record &record)
{
    switch (record.kind) {
    case HistoryStore::Kind::GameStarted:
        return QStringLiteral("game");
    case HistoryStore::Kind::ExerciseEnded:
        return QStringLiteral("exercise %1").arg(record.exercise.number);
    case HistoryStore::Kind::GameEnded:
        return QStringLiteral("end");
    }
    return {};
}

} // namespace

QUuid classRecordId(const QString &profile, const HistoryStore::Record &record)
{
    // A game without an id (none is made so any more) has nothing that names it again.
    if (record.game.id.isEmpty())
        return QUuid::createUuid();
    return QUuid::createUuidV5(RecordIds, profile + QLatin1Char('\n') + record.game.id + QLatin1Char('\n') + whatOf(record));
}

ClassRecord classRecord(const QString &profile, const QString &className, const HistoryStore::Record &record)
{
    return {classRecordId(profile, record), profile, className, record};
}

QByteArray queueLine(const ClassRecord &record)
{
    QJsonObject json = toJson(record.record);
    json.insert(QStringLiteral("id"), record.id.toString(QUuid::WithoutBraces));
    json.insert(QStringLiteral("profile"), record.profile);
    json.insert(QStringLiteral("class"), record.className);
    return QJsonDocument(json).toJson(QJsonDocument::Compact);
}

std::optional<ClassRecord> fromQueueLine(const QByteArray &line)
{
    const QJsonObject json = QJsonDocument::fromJson(line).object();
    const QUuid id(json.value(QStringLiteral("id")).toString());
    const std::optional<HistoryStore::Record> record = fromJson(json);
    if (id.isNull() || !record)
        return std::nullopt;
    return ClassRecord{id, json.value(QStringLiteral("profile")).toString(), json.value(QStringLiteral("class")).toString(),
                       *record};
}

} // namespace numbolo
