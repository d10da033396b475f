#pragma once
// The six persisted values: section "Str" of an INI file, every value a text stored unchanged.
// The store owns those six keys only: every other line of a file that reads as settings (other
// keys of [Str], other sections, comments) is kept byte for byte.

#include <QString>
#include <utility>
#include <vector>

namespace numbolo {

class SettingsLocation;

namespace StoredSettings {

using Values = std::vector<std::pair<QString, QString>>; // key, text, in writing order

// The text stored under `key` in [Str], or the empty text when the key, the file or its folder
// is missing or cannot be read. Values are read as Qt's INI files write them (quoted or not,
// with escapes); where a key occurs more than once, the last one counts.
QString read(const QString &iniPath, const QString &key);

enum class Saved {
    Yes,
    // Nothing was written: the previous file is whole.
    No,
    // The new file is in place, but the disk reported a failure while flushing it.
    Unconfirmed,
};

// Writes the values into the settings file of `location`. A settings file that is a link is
// written through: the new file takes the place of the file the link names, and the link stays.
// The new text is written complete beside that file and then takes its place in one step, and
// both the file and its folder are flushed to the disk before the save counts as done, so a
// crash, a power cut or a full disk at any moment leaves the old file or the new one. The
// leftovers of an interrupted save are removed. On failure `error` says why.
Saved write(const SettingsLocation &location, const Values &values, QString *error);

// The file a settings path names: the path itself, or, through any number of links, the file
// the last link names (which need not exist yet). Empty when the links form a loop.
QString resolvedPath(const QString &iniPath);

} // namespace StoredSettings
} // namespace numbolo
