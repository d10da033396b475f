#pragma once
// The program's name as people meet it: the title of its messages and windows, the first word of
// what it writes to standard error, the creator of its documents. Its settings and history live
// in folders named by the executable's base name, which is this name as shipped.

#include <QLatin1String>
#include <QString>

#include <cstdio>

namespace numbolo {

inline constexpr QLatin1String ProgramName("Numbolo");
inline constexpr QLatin1String ProgramVersion("1.2");

// Writes "Numbolo: <text>" and a line end to standard error, for whoever started the program.
inline void tellOnStandardError(const QString &text)
{
    const QByteArray line = (ProgramName + QLatin1String(": ") + text + QLatin1Char('\n')).toLocal8Bit();
    std::fputs(line.constData(), stderr);
}

} // namespace numbolo
