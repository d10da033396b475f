#pragma once
// The history for a spreadsheet: what "Αποθήκευση CSV…" saves and `--progress --csv` writes.

#include "store/historyreader.h"

#include <QByteArray>

#include <vector>

namespace numbolo {

// RFC 4180 CSV in UTF-8 with CRLF line ends, without a byte-order mark: the header, then one row
// per exercise, oldest game first, and one row with empty exercise fields for a game in which
// no exercise ended. Times are ISO 8601 local time with its offset from UTC. The last column,
// "Χρόνος ανά άσκηση", holds the game's seconds per exercise, empty where it had no time limit.
QByteArray historyCsv(const std::vector<GameRow> &games);

} // namespace numbolo
