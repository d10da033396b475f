#pragma once
// The text boxes as screen readers read them: the whole text as one run of attributes (a
// screen reader that gets empty runs drops characters, "18" for "180"), editable only while
// the box takes typing, and a read-only box that keeps its text unselected when Tab reaches it.

namespace numbolo {

class Form1;

// Presents every text box of `form` this way. Called with the accessible names.
void makeBoxesReadable(Form1 &form);

} // namespace numbolo
