#pragma once
// The language of the game's windows as assistive technology is told it. Qt's AT-SPI bridge
// reports no language of a window or control of its own (its application locale is the process's
// QLocale, which also formats the numbers and so stays the user's); what a screen reader does
// read is the "language" text attribute, and Orca reads a text in the voice of the language it
// names. The text boxes carry it.

#include <QString>
#include <QStringView>

namespace numbolo {

// Makes the text boxes report `language` ("el", "en") as their text's language; an empty code
// reports none. Called at start-up with the language of the game's texts.
void useWindowLanguage(QStringView language);

// The language useWindowLanguage() set, or an empty string.
QString windowLanguage();

} // namespace numbolo
