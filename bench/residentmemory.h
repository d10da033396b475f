#pragma once
// Resident memory of this process, for the benchmarks and the soak test.

#include <QByteArray>
#include <QFile>

namespace numbolo::measure {

// A "Vm...:" line of /proc/self/status in KiB, or -1 where /proc is not there.
inline long statusKib(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLong();
    return -1;
}

// VmRSS in KiB, or -1 where /proc is not there.
inline long residentKib()
{
    return statusKib("VmRSS");
}

// VmHWM, the most resident memory so far, in KiB, or -1 where /proc is not there.
inline long peakResidentKib()
{
    return statusKib("VmHWM");
}

} // namespace numbolo::measure
