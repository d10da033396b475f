#pragma once
// The play of the classes a teacher teaches, as `--class --csv` writes it: read from the school's
// database under the login libpq finds (row-level security gives a teacher the rows of its
// classes, a pupil its own).

#include <QIODevice>
#include <QString>

namespace numbolo {

// RFC 4180 CSV in UTF-8 with CRLF line ends, like the progress window's: the header, then one
// row per exercise, by class, pupil, profile and game, each game's exercises in order. A field a
// spreadsheet would take for a formula is written as text, as csvField (progress/) says: the
// names come from the pupils' computers. False, with a Greek `error`, where the database cannot
// be read or `out` written; nothing is written then, not a header that would pass for an empty
// class.
bool writeClassCsv(const QString &database, QIODevice &out, QString *error);

} // namespace numbolo
