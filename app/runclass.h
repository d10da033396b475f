#pragma once
// `--class`: the class window, the CSV or the PDF of the classes the school's database gives this
// login, through the classroom module.

#include "app/commandline.h"

#include <QStringList>

namespace numbolo {

class PlayerFiles;

// Whether [School] gives a database, in the settings of `files` or the system-wide file; false
// with a Greek message on standard error, before any display is needed.
bool schoolGiven(const PlayerFiles &files);

// Does `run` (Run::ClassCsv, Run::ClassWindow or Run::ClassPdf into `file`) with the database of
// [School] in the settings of `files` (or the system-wide file), through the classroom module
// looked for in `folders`; the application object exists, a QApplication for the window and the
// PDF. 0 when done; 1 with a Greek message on standard error where there is no [School]
// database, no module, or the database cannot be read or the file written.
int runClass(Run run, const QStringList &folders, const PlayerFiles &files, const QString &file = QString());

} // namespace numbolo
