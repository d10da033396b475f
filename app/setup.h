#pragma once

namespace numbolo {

// Application-wide set-up shared by the program, the tests and the benchmarks: resources,
// the font names of the design mapped to installed fonts, and Qt's own texts in Greek.
void setupApplication();

} // namespace numbolo
