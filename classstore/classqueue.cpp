#include "classstore/classqueue.h"

#include "classstore/classrecord.h"

#include <QFile>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace numbolo {

namespace {

constexpr QFile::Permissions Private = QFile::ReadOwner | QFile::WriteOwner;

// The whole lines of `bytes`; a last line without its end was torn by a kill.
std::vector<QByteArray> wholeLines(const QByteArray &bytes, qint64 *wholeBytes = nullptr)
{
    std::vector<QByteArray> lines;
    qint64 start = 0;
    for (qint64 end = bytes.indexOf('\n'); end >= 0; end = bytes.indexOf('\n', start)) {
        if (end > start)
            lines.push_back(bytes.mid(start, end - start));
        start = end + 1;
    }
    if (wholeBytes != nullptr)
        *wholeBytes = start;
    return lines;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    // A device is never a queue that was written: /dev/full reads as endless zeros.
    return file.open(QIODevice::ReadOnly) && !file.isSequential() ? file.readAll() : QByteArray();
}

} // namespace

ClassQueue::ClassQueue(QString path) : m_path(std::move(path))
{
}

void ClassQueue::add(const QByteArray &line)
{
    add(std::vector<QByteArray>{line});
}

void ClassQueue::add(const std::vector<QByteArray> &lines)
{
    std::lock_guard lock(m_mutex);
    for (const QByteArray &line : lines)
        m_unwritten.push_back(line);
    QByteArray bytes;
    for (const QByteArray &line : m_unwritten)
        bytes += line + '\n';
    if (append(bytes))
        m_unwritten.clear();
}

bool ClassQueue::append(const QByteArray &bytes)
{
    QFile file(m_path);
    const bool made = !file.exists();
    if (!file.open(QIODevice::ReadWrite))
        return false;
    if (made || (file.permissions() & ~Private))
        file.setPermissions(Private);
    const bool device = file.isSequential(); // such as /dev/full, where a test fills the disk
    const qint64 size = device ? 0 : file.size();
    // A line torn by a kill is ended, so that the next one is read whole.
    QByteArray whole = bytes;
    if (size > 0 && file.seek(size - 1)) {
        char last = '\n';
        file.getChar(&last);
        if (last != '\n')
            whole.prepend('\n');
    }
    bool written = (device || file.seek(size)) && file.write(whole) == whole.size() && file.flush();
#ifdef Q_OS_UNIX
    written = written && ::fdatasync(file.handle()) == 0;
#endif
    if (!written && !device)
        file.resize(size); // a full disk: no part of the lines stays
    return written;
}

ClassQueue::Taken ClassQueue::take(std::size_t max)
{
    std::lock_guard lock(m_mutex);
    Taken taken;
    QByteArray bytes = contents(m_path);
    qint64 whole = 0;
    std::vector<QByteArray> lines = wholeLines(bytes, &whole);
    if (lines.size() > max) {
        // Where the file holds more, only the first `max` lines' bytes are taken.
        qint64 end = 0;
        for (std::size_t i = 0; i < max; ++i)
            end = bytes.indexOf('\n', end) + 1;
        whole = end;
        lines = wholeLines(bytes.left(end));
    }
    taken.lines = std::move(lines);
    taken.fileBytes = whole;
    for (const QByteArray &line : m_unwritten) {
        if (taken.lines.size() >= max)
            break;
        taken.lines.push_back(line);
        ++taken.fromMemory;
    }
    return taken;
}

void ClassQueue::drop(const Taken &taken)
{
    std::lock_guard lock(m_mutex);
    for (std::size_t i = 0; i < taken.fromMemory && !m_unwritten.empty(); ++i)
        m_unwritten.pop_front();
    if (taken.fileBytes == 0)
        return;
    const QByteArray bytes = contents(m_path);
    // What is left without a line end is a line torn by a kill: nothing to keep.
    if (bytes.size() <= taken.fileBytes || bytes.indexOf('\n', taken.fileBytes) < 0) {
        QFile::remove(m_path);
        return;
    }
    // Records added while the taken ones were sent stay, in a file made whole before it replaces
    // the old one; where it cannot be written the taken ones stay too, and are sent again.
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly) && file.setPermissions(Private)) {
        file.write(bytes.mid(taken.fileBytes));
        file.commit();
    }
}

std::size_t ClassQueue::close()
{
    std::lock_guard lock(m_mutex);
    QByteArray bytes;
    for (const QByteArray &line : m_unwritten)
        bytes += line + '\n';
    if (!m_unwritten.empty() && append(bytes))
        m_unwritten.clear();
    return m_unwritten.size();
}

QString classQueuePath(const QString &historyPath)
{
    return historyPath + QStringLiteral(".class-queue");
}

QueueState readQueueState(const QString &path)
{
    QueueState state;
    for (const QByteArray &line : wholeLines(contents(path))) {
        if (const std::optional<ClassRecord> record = fromQueueLine(line)) {
            if (state.records++ == 0 || record->record.when < state.since)
                state.since = record->record.when.toLocalTime();
        }
    }
    return state;
}

} // namespace numbolo
