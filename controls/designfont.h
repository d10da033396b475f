#pragma once
// The fonts of the design, shown in the installed fonts that stand in for them.
#include <QFont>
#include <QString>

class QLabel;

namespace numbolo {

// A font of the design: `family` is a design name ("Comic Sans MS", "DS-Digital", ...). Where
// that family is not installed, its first installed stand-in is named directly, so text
// layout never searches for a missing family.
QFont designFont(const QString &family, qreal points, bool bold = false, bool italic = false);
// The installed family that shows the design's `family`.
QString installedFamily(const QString &family);
// Whether a family of that name is installed (or added by the program), in any case.
bool familyInstalled(const QString &family);

// Lowers the font of a word-wrapped label in quarter points until its text fits the label:
// the fonts that stand in for the design's faces can run wider than the design expects.
void shrinkToFit(QLabel *label, qreal smallestPoints = 7);

} // namespace numbolo
