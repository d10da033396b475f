#include "classstore/classrecorder.h"

#include "classstore/classrecord.h"
#include "classstore/classsending.h"
#include "classstore/earlierhistory.h"
#include "classstore/schooldatabase.h"

#include <QFile>

namespace numbolo {

namespace {

// Records sent in one transaction: a backlog of a year goes in a few.
constexpr std::size_t RecordsPerSend = 2000;
constexpr std::chrono::milliseconds FirstWait{1000};
constexpr std::chrono::milliseconds LongestWait{60000};
// How long the end of the game waits for a send under way before breaking it off.
constexpr std::chrono::milliseconds EndingWait{2000};

} // namespace

ClassRecorder::ClassRecorder(Place place)
    : m_place(std::move(place)), m_queue(classQueuePath(m_place.historyPath)),
      m_earlierMark(classQueuePath(m_place.historyPath) + QStringLiteral(".earlier"))
{
    m_sender = std::thread([this] { run(); });
}

ClassRecorder::~ClassRecorder()
{
    {
        std::unique_lock lock(m_mutex);
        m_stopping = true;
        m_changed.notify_all();
        if (!m_changed.wait_for(lock, EndingWait, [this] { return m_done; }) && m_school != nullptr)
            m_school->interrupt();
    }
    m_sender.join();
    if (m_queue.close() > 0)
        QFile::remove(m_earlierMark);
}

void ClassRecorder::gameStarted(const GameFacts &game)
{
    add({HistoryStore::Kind::GameStarted, QDateTime::currentDateTime(), game, {}, GameEnd::Finished, -1});
}

void ClassRecorder::exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise)
{
    add({HistoryStore::Kind::ExerciseEnded, QDateTime::currentDateTime(), game, exercise, GameEnd::Finished, -1});
}

void ClassRecorder::gameEnded(const GameFacts &game, GameEnd end, int percentage)
{
    add({HistoryStore::Kind::GameEnded, QDateTime::currentDateTime(), game, {}, end, percentage});
}

void ClassRecorder::add(HistoryStore::Record record)
{
    m_queue.add(queueLine(classRecord(m_place.profile, m_place.className, record)));
    retryNow();
}

void ClassRecorder::retryNow()
{
    std::lock_guard lock(m_mutex);
    ++m_asked;
    m_changed.notify_all();
}

bool ClassRecorder::waitUntilIdle(int milliseconds)
{
    std::unique_lock lock(m_mutex);
    const quint64 asked = m_asked;
    m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return m_served >= asked || m_done; });
    return m_served >= asked && m_lastOk;
}

QString ClassRecorder::lastError() const
{
    std::lock_guard lock(m_mutex);
    return m_lastError;
}

bool ClassRecorder::queueEarlierHistory()
{
    if (QFile::exists(m_earlierMark))
        return true;
    std::vector<HistoryStore::Record> records;
    if (!readEarlierHistory(m_place.historyPath, &records))
        return false;
    std::vector<QByteArray> lines;
    lines.reserve(records.size());
    for (const HistoryStore::Record &record : records)
        lines.push_back(queueLine(classRecord(m_place.profile, m_place.className, record)));
    if (!lines.empty())
        m_queue.add(lines);
    QFile mark(m_earlierMark);
    return mark.open(QIODevice::WriteOnly) && mark.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

bool ClassRecorder::sendAll(SchoolDatabase &school, QString *error)
{
    queueEarlierHistory();
    for (;;) {
        const ClassQueue::Taken taken = m_queue.take(RecordsPerSend);
        if (taken.lines.empty())
            return true;
        {
            // At the end of the game only a connection that is already open is used.
            std::lock_guard lock(m_mutex);
            if (m_stopping && !school.isOpen()) {
                *error = QStringLiteral("the game ended before the school's database was reached");
                return false;
            }
        }
        if (!school.open(error))
            return false;
        std::vector<ClassRecord> records;
        records.reserve(taken.lines.size());
        for (const QByteArray &line : taken.lines)
            if (std::optional<ClassRecord> record = fromQueueLine(line))
                records.push_back(std::move(*record));
        if (!storeRecords(school.database(), records, error)) {
            school.close();
            return false;
        }
        m_queue.drop(taken);
    }
}

void ClassRecorder::run()
{
    SchoolDatabase school(m_place.database);
    std::unique_lock lock(m_mutex);
    m_school = &school;
    while (!m_done) {
        const auto asked = [this] { return m_stopping || m_asked > m_served; };
        if (m_lastOk)
            m_changed.wait(lock, asked);
        else
            m_changed.wait_for(lock, m_wait, asked);
        const quint64 serving = m_asked;
        const bool last = m_stopping;
        lock.unlock();
        QString error;
        const bool ok = sendAll(school, &error);
        lock.lock();
        m_served = serving;
        m_lastOk = ok;
        m_lastError = ok ? QString() : error;
        m_wait = ok ? FirstWait : std::min(m_wait * 2, LongestWait);
        m_done = last;
        m_changed.notify_all();
    }
    m_school = nullptr;
    lock.unlock();
    school.close();
}

} // namespace numbolo
