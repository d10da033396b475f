#pragma once

#include "app/commandline.h"

#include <QStringList>

namespace numbolo {

class PlayerFiles;

// Runs the progress window, the CSV or the PDF (written to `file`) through the progress module,
// looked for in `folders`, on the history and settings of the player whose files `files` names;
// the application object exists. 1 with a message on standard error without the module. The
// window ends with 0 on a termination signal, as on its close.
int runProgress(Run run, const QStringList &folders, const PlayerFiles &files, const QString &file = {});

} // namespace numbolo
