#pragma once
// The optional modules (numbolo_sound, numbolo_history, numbolo_progress): libraries loaded
// when first needed, so what they bring costs start-up nothing.

#include <QStringList>

namespace numbolo {

// Where the modules are looked for: beside the program and in the installed module folder.
QStringList moduleFolders();

// Looks for the module `name` in `folders`, first match wins, loads it for the rest of the
// program and returns its function `symbol`, or null.
QFunctionPointer moduleFunction(const QStringList &folders, const QString &name, const char *symbol);

} // namespace numbolo
