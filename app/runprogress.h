#pragma once

#include "app/commandline.h"

namespace numbolo {

// Runs the progress window or the CSV through the progress module on the history of this
// program; the application object exists. 1 with a message on standard error without the module.
int runProgress(Run run);

} // namespace numbolo
