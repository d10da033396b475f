#pragma once
// The texts of Qt's own widgets (standard dialog buttons, the edit and scroll bar menus, the file
// and print dialogs, the command line's help headings) in the game's language.

#include <QStringView>

namespace numbolo {

// Installs Qt's own translation for `language` ("el", "en"), where the system has one, in the
// running application, replacing what an earlier call installed. For Greek, which Debian's Qt
// does not ship, the game's QtGreekTexts answer what Qt's translation leaves untranslated; the
// other languages need nothing more (English is Qt's own). Does nothing without an application.
void useQtTextsOf(QStringView language);

} // namespace numbolo
