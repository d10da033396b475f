#pragma once
// Which child a start is for, known before any window exists: `--profile NAME`, or for a report
// (the CSV, the PDF) the one child where only one has a profile. And `--profiles`.

#include "profiles/profilelist.h"

#include <optional>

namespace numbolo {

struct StartFor {
    // Where not 0, the start ends with this status, having said why on standard error: 2 for a
    // name that is no child's, or a report that needs one; 1 for a list that cannot be read.
    int status = 0;
    // The child; none for the account's own files, or for the game's chooser to ask.
    std::optional<Profile> profile;
};

// Who the start with `--profile wanted` (empty: none given) is for. A report must know whose
// history it shows: without a name, it is the one child's where one has a profile, and with
// two or more a name is needed.
StartFor startFor(const PlayerFiles &account, const QString &wanted, bool report);

// What is said of a `--profile` name that is no child's among `profiles`.
QString unknownProfileText(const QString &name, const std::vector<Profile> &profiles);

// Writes the names of the children who have profiles to standard output, one a line, in
// alphabetical order: 0, or 1 with a message on standard error where the list cannot be read.
int listProfiles(const PlayerFiles &account);

} // namespace numbolo
