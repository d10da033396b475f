#pragma once
// The local history as records of play, for a school that turns the class store on after the
// pupil has played: every game's start, its exercises and its end, as the game recorded them.

#include "store/historystore.h"

#include <QString>

#include <vector>

namespace numbolo {

// The records of the history at `historyPath`, oldest game first; none where there is no history.
// False where it cannot be read now (it is asked again later). A game recorded before games had
// ids is named by its row, the same at every reading.
bool readEarlierHistory(const QString &historyPath, std::vector<HistoryStore::Record> *records);

} // namespace numbolo
