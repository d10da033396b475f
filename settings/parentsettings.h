#pragma once
// What a parent or teacher can give a child who needs it, kept in [Parents] of the settings
// file so that [Str] stays the game's own: more time for each exercise, or none, and a keyboard
// that presses the keypad's keys. The game only reads them, at its start and at each new game;
// the grown-ups' side writes them.

#include "settings/settings.h"

#include <QString>

#include <optional>

namespace numbolo {

class PlayerFiles;

struct ParentSettings {
    static constexpr int DefaultSeconds = 180;
    // The countdown of every exercise starts from this; 0: no time limit.
    int secondsPerExercise = DefaultSeconds;
    // Typing on the keyboard presses the matching key of the keypad.
    bool keyboardTyping = false;
    bool operator==(const ParentSettings &) const = default;
};

namespace Parents {

// The choices of "Χρόνος ανά άσκηση", in the order offered: 3, 6 and 30 minutes, and no limit.
inline constexpr int SecondsChoices[] = {180, 360, 1800, 0};

// A choice as offered and said: "3 λεπτά", "6 λεπτά", "30 λεπτά", "χωρίς όριο".
QString secondsText(int seconds);

// The settings in [Parents] of `iniPath`. A missing file, group or key, and any value other
// than one of the choices (secondsPerExercise) or "true" and "false" (keyboardTyping), reads as
// the default: the game plays as it always has.
ParentSettings read(const QString &iniPath);

// What [Game] keeps of the game under way: its id and the time per exercise it started with, so
// that a game resumed after the program was closed keeps its time whatever a parent set since.
StoredSettings::Values gameValues(const QString &gameId, const ParentSettings &settings);
// The time per exercise of the game under way, from [Game]; none for a game stored before games
// kept it, or for anything but one of the choices.
std::optional<int> gameSeconds(const QString &iniPath);

// Writes both keys into [Parents] of the settings file of `location`, as safely as the game
// saves its own values (complete beside the old file, put in place in one step, flushed); every
// other group and key stays. On failure `error` says why.
StoredSettings::Saved write(const PlayerFiles &location, const ParentSettings &settings, QString *error);

} // namespace Parents
} // namespace numbolo
