#pragma once
// What a child's name may be. A parent types any text: it is trimmed, and each run of spaces,
// tabs or line breaks inside it becomes one space; it then has 1 to 30 characters as a reader
// counts them (a letter with its accents is one), holds no control characters, and is no other
// child's name. Two names are one where they differ only in capitals or in how their accents are
// encoded ("Άννα", "ΆΝΝΑ"). A name is data that is shown and said, never part of a path.

#include <QString>
#include <QStringList>

namespace numbolo::ProfileName {

inline constexpr int MaxLength = 30;

// The name as it is kept: trimmed, inner white space made single spaces, accents composed.
QString cleaned(const QString &typed);
// Its characters as a reader counts them.
int length(const QString &name);
// What tells names apart, for finding one and for refusing a name that is taken.
QString key(const QString &name);

enum class Problem { None, Empty, TooLong, Unprintable, Taken };
// Why the cleaned `name` cannot be a child's name, beside the names of the `others`.
Problem problem(const QString &name, const QStringList &others);
// The problem as a Greek sentence for the parent; empty for None.
QString problemText(Problem problem, const QString &name);

} // namespace numbolo::ProfileName
