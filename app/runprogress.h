#pragma once

#include "app/commandline.h"

#include <QStringList>

namespace numbolo {

// Runs the progress window, the CSV or the PDF (written to `file`) through the progress module,
// looked for in `folders`, on the history of this program; the application object exists. 1
// with a message on standard error without the module. The window ends with 0 on a termination
// signal, as on its close.
int runProgress(Run run, const QStringList &folders, const QString &file = {});

} // namespace numbolo
