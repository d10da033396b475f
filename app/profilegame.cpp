#include "app/profilegame.h"

#include "app/profilestart.h"
#include "app/rungame.h"
#include "services/programname.h"
#include "settings/settings.h"
#include "windows/profilechooser.h"

namespace numbolo {

std::optional<Profile> chooseInWindow(const std::vector<Profile> &profiles, InstanceLock &instance)
{
    ProfileChooser chooser(profiles);
    QObject::connect(&instance, &InstanceLock::showRequested, &chooser, [&chooser] { bringToFront(chooser); });
    chooser.exec();
    return chooser.chosen();
}

int runAccountGame(const AccountGame &game)
{
    return runClaimed(StoredSettings::lockPath(game.account.iniPath()), game.messages, game.handOver,
                      [&game](InstanceLock &instance) {
        // Read once the game is ours: no profile is made or deleted while the game runs.
        ProfileList list(game.account);
        QString error;
        list.finishInterrupted(&error); // what it cannot finish stays out of the list's reading
        std::vector<Profile> profiles;
        if (!list.read(&profiles, &error)) {
            game.messages.show({MessageIcon::Critical, MessageButtons::Ok, ProgramName, error});
            return 1;
        }
        if (profiles.empty() && game.wanted.isEmpty())
            return game.play(game.account, instance);
        std::optional<Profile> who;
        if (!game.wanted.isEmpty()) {
            if (const Profile *named = ProfileList::find(profiles, game.wanted))
                who = *named;
            else {
                tellOnStandardError(unknownProfileText(game.wanted, profiles));
                return 2;
            }
        } else if (profiles.size() == 1) {
            who = profiles.front();
        } else {
            who = game.choose(profiles, instance);
        }
        if (!who)
            return 0;
        ProfileFiles files = list.files(*who);
        return game.play(files, instance);
    });
}

} // namespace numbolo
