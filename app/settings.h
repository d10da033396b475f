#pragma once
// The six persisted values: an INI file, section "Str", every value a text stored unchanged.

#include <QString>
#include <utility>
#include <vector>

namespace numbolo::StoredSettings {

using Values = std::vector<std::pair<QString, QString>>; // key, text, in writing order

// The text stored under `key`, or the empty text when the key, the file or its folder is
// missing or cannot be read.
QString read(const QString &iniPath, const QString &key);

// Writes the values and replaces the file in one step, so a crash or a full disk leaves the
// previous file whole. Returns false, with a reason in `error`, when the file cannot be written.
bool write(const QString &iniPath, const Values &values, QString *error);

} // namespace numbolo::StoredSettings
