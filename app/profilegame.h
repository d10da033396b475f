#pragma once
// The game of a computer account whose children may each have a profile. The account's one
// game window is claimed first, before anyone is chosen, so that a later start brings the
// chooser or the game window to the front. With no profile the account's own files play, as
// they always have; `--profile NAME` plays that child; one profile plays at once; with two or
// more the chooser asks who plays.

#include "desktop/instancelock.h"
#include "profiles/profilelist.h"
#include "services/services.h"

#include <functional>
#include <optional>

namespace numbolo {

struct AccountGame {
    PlayerFiles &account;   // the account's own files, whose lock is the account's
    MessageBoxes &messages; // for what is said before any game window exists
    QString wanted;         // the name of --profile; empty to choose as above
    // Asks who plays among `profiles` while `instance` is claimed; none where no one was chosen.
    std::function<std::optional<Profile>(const std::vector<Profile> &profiles, InstanceLock &instance)> choose;
    // Plays the game on `files` with the claim; its exit status.
    std::function<int(PlayerFiles &files, InstanceLock &instance)> play;
    HandOver handOver = {};
};

// Runs the account's game; its exit status. 0 where the chooser was closed without a choice
// (nothing is written) or where another copy runs; 2 where `wanted` names no child, said on
// standard error; 1 where the list of profiles cannot be read, said in a message.
int runAccountGame(const AccountGame &game);

// The chooser window: who plays, until a child is chosen or the window closed. A later start
// while it is open brings it to the front.
std::optional<Profile> chooseInWindow(const std::vector<Profile> &profiles, InstanceLock &instance);

} // namespace numbolo
