#pragma once

#include "app/commandline.h"

#include <QStringList>

namespace numbolo {

class PlayerFiles;

// Writes the CSV or the PDF (to `file`) through the progress module, looked for in `folders`, of
// the history of the player whose files `files` names; the application object exists. 1 with a
// message on standard error without the module.
int runProgress(Run run, const QStringList &folders, const PlayerFiles &files, const QString &file = {});
// Runs the progress window through the progress module for the account whose own files `account`
// names: its one player's, or with profiles its children's, showing the profile `childId` first
// (empty: the child who played last). The window ends with 0 on a termination signal, as on its
// close.
int runProgressWindow(const QStringList &folders, const PlayerFiles &account, const QString &childId);

} // namespace numbolo
