#include "store/pendingfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>

#include <algorithm>

namespace numbolo {

namespace {

const std::pair<HistoryStore::Kind, const char *> KindKeys[] = {{HistoryStore::Kind::GameStarted, "game started"},
                                                                {HistoryStore::Kind::ExerciseEnded, "exercise ended"},
                                                                {HistoryStore::Kind::GameEnded, "game ended"}};

} // namespace

QJsonObject toJson(const HistoryStore::Record &r)
{
    QJsonObject json{{"kind", keyOf(KindKeys, r.kind)},
                     {"when", stamp(r.when)},
                     {"game", r.game.id},
                     {"exercises", r.game.exercises},
                     {"range", r.game.range},
                     {"seconds per exercise", r.game.secondsPerExercise},
                     {"keyboard typing", r.game.keyboardTyping}};
    if (r.kind == HistoryStore::Kind::ExerciseEnded) {
        json.insert("number", r.exercise.number);
        json.insert("level", r.exercise.level);
        json.insert("outcome", keyOf(ExerciseEndKeys, r.exercise.end));
        json.insert("seconds", r.exercise.seconds);
        json.insert("targets", r.exercise.targetsHit);
        json.insert("equals presses", r.exercise.equalsPresses);
        if (!r.exercise.targets.isEmpty()) {
            json.insert("shown targets", QJsonArray::fromStringList(r.exercise.targets));
            json.insert("keys", r.exercise.keys);
            QJsonArray presses;
            for (const EqualsFacts &press : r.exercise.presses) {
                QJsonArray hit;
                for (int target : press.hit)
                    hit.append(target);
                presses.append(QJsonObject{{"seconds", press.seconds}, {"value", press.value}, {"hit", hit}});
            }
            json.insert("presses", presses);
        }
    } else if (r.kind == HistoryStore::Kind::GameEnded) {
        json.insert("outcome", keyOf(GameEndKeys, r.end));
        json.insert("result", r.percentage);
    }
    return json;
}

std::optional<HistoryStore::Record> fromJson(const QJsonObject &json)
{
    const auto kind = valueOf(KindKeys, json.value("kind").toString());
    const QDateTime when = QDateTime::fromString(json.value("when").toString(), Qt::ISODate);
    if (!kind || !when.isValid())
        return std::nullopt;
    HistoryStore::Record r;
    r.kind = *kind;
    r.when = when;
    // Records kept by a version without a parent's settings played as designed.
    r.game = {json.value("exercises").toInt(), json.value("range").toInt(), json.value("game").toString(),
              json.value("seconds per exercise").toInt(180), json.value("keyboard typing").toBool(false)};
    if (r.kind == HistoryStore::Kind::ExerciseEnded) {
        const auto end = valueOf(ExerciseEndKeys, json.value("outcome").toString());
        if (!end)
            return std::nullopt;
        r.exercise.number = json.value("number").toInt();
        r.exercise.level = json.value("level").toDouble();
        r.exercise.end = *end;
        r.exercise.seconds = json.value("seconds").toInt();
        r.exercise.targetsHit = json.value("targets").toInt();
        r.exercise.equalsPresses = json.value("equals presses").toInt();
        for (const QJsonValue target : json.value("shown targets").toArray())
            r.exercise.targets << target.toString();
        r.exercise.keys = json.value("keys").toString();
        for (const QJsonValue value : json.value("presses").toArray()) {
            const QJsonObject press = value.toObject();
            EqualsFacts facts{press.value("seconds").toInt(), press.value("value").toString(), {}};
            for (const QJsonValue target : press.value("hit").toArray())
                facts.hit.push_back(target.toInt());
            r.exercise.presses.push_back(std::move(facts));
        }
    } else if (r.kind == HistoryStore::Kind::GameEnded) {
        const auto end = valueOf(GameEndKeys, json.value("outcome").toString());
        if (!end)
            return std::nullopt;
        r.end = *end;
        r.percentage = json.value("result").toInt(-1);
    }
    return r;
}

std::vector<HistoryStore::Record> readPendingRecords(const QString &pendingPath)
{
    QFile file(pendingPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<HistoryStore::Record> records;
    for (const QJsonValue value : QJsonDocument::fromJson(file.readAll()).object().value("records").toArray())
        if (const auto record = fromJson(value.toObject()))
            records.push_back(*record);
    return records;
}

bool replacePendingRecords(const QString &pendingPath, const std::vector<HistoryStore::Record> &taken,
                           const std::deque<HistoryStore::Record> &kept, QString *why)
{
    QLockFile lock(pendingPath + QStringLiteral(".lock"));
    // Held for milliseconds: one older than this was left by a copy that died holding it, also
    // on another computer, where its process cannot be asked.
    lock.setStaleLockTime(10'000);
    if (!lock.tryLock(3'000)) {
        *why = QCoreApplication::translate("History", "το αρχείο κλειδώματος %1 δεν αποκτήθηκε").arg(lock.fileName());
        return false;
    }
    std::vector<QJsonObject> records;
    for (const HistoryStore::Record &record : readPendingRecords(pendingPath))
        records.push_back(toJson(record));
    // Each record taken removes one equal to it: a record another copy added twice stays once.
    for (const HistoryStore::Record &record : taken) {
        const auto found = std::find(records.begin(), records.end(), toJson(record));
        if (found != records.end())
            records.erase(found);
    }
    for (const HistoryStore::Record &record : kept)
        records.push_back(toJson(record));
    std::stable_sort(records.begin(), records.end(), [](const QJsonObject &a, const QJsonObject &b) {
        return a.value("when").toString() < b.value("when").toString();
    });
    if (records.empty()) {
        if (QFile::remove(pendingPath) || !QFileInfo::exists(pendingPath))
            return true;
        *why = QCoreApplication::translate("History", "το αρχείο %1 δεν διαγράφηκε").arg(pendingPath);
        return false;
    }
    QJsonArray array;
    for (QJsonObject &record : records)
        array.append(std::move(record));
    QSaveFile file(pendingPath);
    if (file.open(QIODevice::WriteOnly) && file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)
        && file.write(QJsonDocument(QJsonObject{{"records", array}}).toJson()) >= 0 && file.commit())
        return true;
    *why = file.errorString();
    return false;
}

Unrecorded readUnrecorded(const QString &pendingPath)
{
    Unrecorded unrecorded;
    for (const HistoryStore::Record &record : readPendingRecords(pendingPath)) {
        if (unrecorded.records++ == 0 || record.when < unrecorded.first)
            unrecorded.first = record.when.toLocalTime();
        if (record.when > unrecorded.last)
            unrecorded.last = record.when.toLocalTime();
    }
    return unrecorded;
}

} // namespace numbolo
