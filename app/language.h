#pragma once
// The language the game plays in: the desktop's choice among the languages the game has.

#include <QString>
#include <QStringList>

namespace numbolo {

// The first of `uiLanguages` (as QLocale::uiLanguages() gives them, "en-US", "el") that is one
// of `available`, by its language alone; Greek where none is, so that "C" and every language
// without a translation play in Greek.
QString chooseLanguage(const QStringList &uiLanguages, const QStringList &available);

// Puts the game's texts in `language` before every other translator of the running application
// object, Qt's own widget texts in it too, tells screen readers the windows' language, and makes
// speech() follow it. Called again for each application object start-up makes;
// the texts stay Greek without one, or where `language` has no translation.
void useLanguage(const QString &language);

// The desktop's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) among the game's; the user's
// number format stays the locale's own.
QString desktopLanguage();

} // namespace numbolo
