#pragma once
// One field of the CSV files this program writes for spreadsheets.

#include <QString>
#include <QStringView>

namespace numbolo {

// `text` as a field of RFC 4180 CSV, quoted where it holds a comma, a quote or a line break. A
// field a spreadsheet would take for a formula (=, +, -, @, a tab or a carriage return first)
// is written after an apostrophe, which shows it as text; so is one that starts with an
// apostrophe itself, so that a reader strips exactly one leading apostrophe wherever there is
// one. A plain number ("-102", "+3.5") is written as it is: a spreadsheet shows it as the same
// number.
QString csvField(QStringView text);
// The same field added to the end of `line`.
void appendCsvField(QString *line, QStringView text);

} // namespace numbolo
