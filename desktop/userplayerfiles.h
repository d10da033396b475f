#pragma once
// The files of the player of this computer account, named by <app>, the executable's base name,
// taken anew each time (a renamed program has files of its own):
//   settings  $XDG_CONFIG_HOME/<app>/<app>.ini   (Qt's per-user config folder elsewhere)
//   history   $XDG_DATA_HOME/<app>/history.sqlite (Qt's per-user data folder elsewhere)
//   pending   the history's name with ".pending"

#include "services/services.h"

namespace numbolo {

class UserPlayerFiles : public PlayerFiles {
public:
    QString iniPath() const override;
    QString historyPath() const override;
    QString pendingPath() const override;
    // The real flushes of desktop/diskflush.h.
    bool flushFile(QFileDevice &file) const override;
    bool flushFolder(const QString &folder) const override;
};

} // namespace numbolo
