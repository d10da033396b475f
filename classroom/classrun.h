#pragma once
// What `--class` does with the school's database besides the CSV: the class window, and the
// class report as PDF. Each reads under the login libpq finds for [School] database=...

#include <QString>

namespace numbolo {

// Writes the class report to the PDF `file`, replacing it only once whole. False with a Greek
// `error` where the server does not answer, the login may not read the class, or the file
// cannot be written.
bool writeClassPdf(const QString &database, const QString &file, QString *error);

// Shows the class window until it is closed: 0, or 1 where the class cannot be read, with a
// Greek `error`.
int showClassWindow(const QString &database, QString *error);

} // namespace numbolo
