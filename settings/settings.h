#pragma once
// The six persisted values: section "Str" of an INI file, every value a text stored unchanged;
// beside them, in a section of its own, "Game", the id that names the game under way in the
// history of play. The file is Qt's own INI format, read and written by QSettings: the store
// sets its keys and QSettings keeps every other key and section it reads (comments it drops).

#include <QHash>
#include <QString>
#include <utility>
#include <vector>

namespace numbolo {

class PlayerFiles;

namespace StoredSettings {

using Values = std::vector<std::pair<QString, QString>>; // key, text, in writing order

// The texts stored in [Str], by key, as QSettings reads them (an unquoted list joined again
// with ","). Empty when the file or its folder is missing or cannot be read. A file that
// QSettings cannot read whole is kept beside it as "<file>.damaged" before anything replaces it.
// `section` reads another group the same way.
QHash<QString, QString> read(const QString &iniPath, const QString &section = QStringLiteral("Str"));
// The id of the game under way, from [Game]; empty where none is stored.
QString gameId(const QString &iniPath);

enum class Saved {
    Yes,
    // Nothing was written: the previous file is whole.
    No,
    // The new file is in place, but the disk did not confirm that its folder is safe on it.
    Unconfirmed,
};

// Writes the values into [Str] of the settings file of `location`, and `game` into [Game]: the
// game under way, its id and what it was started with (an empty `game` removes the group). A
// settings file that is a
// link is written through: the new file takes the place of the file the link names, and the link
// stays. QSettings writes the new text complete beside that file and puts it in its place in one
// step, keeping the file's permissions; the file and then its folder are flushed to the disk
// before the save counts as done. On failure `error` says why.
Saved write(const PlayerFiles &location, const Values &values, const Values &game, QString *error);
// Writes the values into [`section`] the same way; every other group and key stays as it is.
Saved writeSection(const PlayerFiles &location, const QString &section, const Values &values, QString *error);

// The lock file of the settings file `iniPath`, beside the file it names: "<name>.lock".
QString lockPath(const QString &iniPath);

// The file a settings path names: the path itself, or, through any number of links, the file
// the last link names (which need not exist yet). Empty when the links form a loop.
QString resolvedPath(const QString &iniPath);

} // namespace StoredSettings
} // namespace numbolo
