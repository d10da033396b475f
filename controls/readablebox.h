#pragma once
// The text boxes as screen readers read them: the whole text as one run of attributes (a
// screen reader that gets empty runs drops characters, "18" for "180"), editable only while
// the box takes typing, and a read-only box that keeps its text unselected when Tab reaches it.

#include <vector>

class QObject;

namespace numbolo {

class TextBox;

// Makes Qt present every text box this way. Before the first box exists: Qt keeps the
// presentation it made first for as long as the box lives.
void installReadableBoxes();
// Keeps the read-only ones of `boxes` unselected when Tab reaches them, for as long as `owner`
// lives.
void makeBoxesReadable(QObject &owner, const std::vector<TextBox *> &boxes);

} // namespace numbolo
