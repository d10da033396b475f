#pragma once
// The history for a spreadsheet: what "Αποθήκευση CSV…" saves and `--progress --csv` writes,
// and the targets of every exercise that `--progress --csv=targets` writes.

#include "store/historysource.h"
#include "store/rememberedways.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <vector>

namespace numbolo {

// RFC 4180 CSV in UTF-8 with CRLF line ends, without a byte-order mark: the header, then one row
// per exercise, oldest game first, and one row with empty exercise fields for a game in which
// no exercise ended. Times are ISO 8601 local time with its offset from UTC. The last column,
// "Χρόνος ανά άσκηση", holds the game's seconds per exercise, empty where it had no time limit.
QByteArray historyCsv(const std::vector<GameRow> &games);

// One row per target of every exercise whose targets were recorded, oldest first, in RFC 4180
// CSV like historyCsv, header exactly
// "Έναρξη παιχνιδιού,Άσκηση,Στόχος,Βρέθηκε,Δευτερόλεπτα,Πλήκτρα,Ένας τρόπος", each with one way
// to make it. A history that cannot be read writes nothing, not a header that would pass for an
// empty one. False, with a Greek `error`, where it cannot be read or written. The history is read
// `gamesPerRead` games at a time, each read short, so that a game played meanwhile writes its
// records without waiting; nothing is written to `out` while a read is open. The ways that
// `remembered` keeps are taken from it, and those found are remembered there.
bool writeTargetsCsv(HistorySource &history, QIODevice &out, QString *error, RememberedWays *remembered = nullptr,
                     int gamesPerRead = 16);

} // namespace numbolo
