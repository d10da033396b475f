#pragma once
// The program around the main window: one running copy per settings file, and every way the
// program ends (closing the window, a termination signal, the session's end) or is asked to
// save (the desktop session), all through the window's one save.

#include "desktop/instancelock.h"
#include "services/services.h"

namespace numbolo {

// Runs the game on `services` until it ends and returns the exit status: 0 once the progress
// is saved, 1 when it could not be saved or a run-time error ended the program. A start while
// another copy on this computer runs on the same settings brings that copy's window to the
// front, or says that the game is open where that copy cannot be asked or does not answer, and
// returns 0 without a window of its own; `handOver` says how the copy is reached.
int runGame(Services services, const HandOver &handOver = {});

} // namespace numbolo
