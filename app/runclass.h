#pragma once
// `--class --csv`: the play of the classes the school's database gives this login, through the
// classroom module.

#include <QStringList>

namespace numbolo {

class PlayerFiles;

// Writes the class CSV to standard output from the database of [School] in the settings of
// `files` (or the system-wide file), through the classroom module looked for in `folders`; the
// application object exists. 0 when written; 1 with a Greek message on standard error where
// there is no [School] database, no module, or the database cannot be read.
int runClassCsv(const QStringList &folders, const PlayerFiles &files);

} // namespace numbolo
