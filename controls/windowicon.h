#pragma once

#include <QIcon>

namespace numbolo {

// The program's window icon. Its pixels were drawn from the SVG picture at build time, at the
// sizes Qt hands a desktop (16, 32, 64 and 128) at scales 1, 1.5 and 2; so showing a window
// neither loads the SVG engine nor parses the picture. Any other size, mode or state is drawn
// from the picture when asked for.
QIcon programIcon();

} // namespace numbolo
