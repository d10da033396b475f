#pragma once
// Resident memory of this process, for the benchmarks and the soak test.

#include <QByteArray>
#include <QFile>

namespace numbolo::measure {

// VmRSS in KiB, or -1 where /proc is not there.
inline long residentKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace numbolo::measure
