#pragma once
// A pupil's report from the school's database: the pupil's rows copied into a history of the
// local kind (store/historyschema.h), which the progress window and its document read as they
// read a child's own (SqlHistorySource).

#include <QSqlDatabase>
#include <QString>

namespace numbolo {

// Writes the play of `pupil` (a login, and `profile` of it) in `className` that `school` gives
// the teacher's login into a new history at `path`, in one transaction: each game with its
// exercises and their "=" presses. A game with no end recorded is under way where it is the
// pupil's latest, abandoned otherwise, as the game's own history would have it. False with what
// went wrong in `error`.
bool copyPupilHistory(QSqlDatabase school, const QString &className, const QString &pupil, const QString &profile,
                      const QString &path, QString *error);

} // namespace numbolo
