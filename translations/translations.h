#pragma once
// The languages the game's texts are in: Greek, the language they are written in, and each
// language with a translation among the program's resources.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace numbolo {

// The codes of the languages the game has, "el" first and the translations' after it in the
// order of their codes: {"el", "en"}.
QStringList gameLanguages();

// The resource with the game's texts in `language` (":/translations/numbolo_en.qm"); empty for
// Greek, which needs none, and for a language the game does not have.
QString translationFile(QStringView language);

} // namespace numbolo
