#pragma once
// The program around the main window: one running copy per settings file (per computer
// account, where children have profiles: app/profilegame.h), and every way the program ends
// (closing the window, a termination signal, the session's end) or is asked to save (the
// desktop session), all through the window's one save.

#include "desktop/instancelock.h"
#include "services/services.h"

#include <functional>

namespace numbolo {

// Runs the game on `services` until it ends and returns the exit status: 0 once the progress
// is saved, 1 when it could not be saved or a run-time error ended the program. A start while
// another copy on this computer runs on the same settings brings that copy's window to the
// front, or says that the game is open where that copy cannot be asked or does not answer, and
// returns 0 without a window of its own; `handOver` says how the copy is reached.
int runGame(Services services, const HandOver &handOver = {});

// Claims the game of the settings whose lock is `lockPath` as runGame() does, and runs `play`
// with the claim, which answers later starts from then on. Where another copy runs, returns 0
// without playing: that copy was asked to the front, or `messages` said that the game is open.
int runClaimed(const QString &lockPath, MessageBoxes &messages, const HandOver &handOver,
               const std::function<int(InstanceLock &)> &play);
// Runs the game on `services` once `instance` is claimed, until it ends; its exit status.
int playGame(Services services, InstanceLock &instance);

// Shows `window`, brought to the front and no longer minimised: what a later start asks for.
void bringToFront(QWidget &window);

} // namespace numbolo
