#pragma once
// Flushes to the disk, so that what was written survives a power cut.

#include <QString>

class QFileDevice;

namespace numbolo {

// Flushes what was written to `file` (open for writing), or the entries of `folder`. False
// only when the disk reports a failure; where the system cannot flush such a file or folder at
// all there is nothing to wait for.
bool flushFileToDisk(QFileDevice &file);
bool flushFolderToDisk(const QString &folder);

} // namespace numbolo
