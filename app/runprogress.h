#pragma once

#include "app/commandline.h"

#include <QStringList>

namespace numbolo {

class SettingsLocation;

// Runs the progress window, the CSV or the PDF (written to `file`) through the progress module,
// looked for in `folders`, on the history of this program; the application object exists. 1
// with a message on standard error without the module. The window ends with 0 on a termination
// signal, as on its close. The window's settings for the child are those of the settings file
// of `settings`, which the game reads.
int runProgress(Run run, const QStringList &folders, const SettingsLocation &settings, const QString &file = {});

} // namespace numbolo
