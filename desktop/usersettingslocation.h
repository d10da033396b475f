#pragma once
// $XDG_CONFIG_HOME/<app>/<app>.ini (Qt's per-user config folder elsewhere), where <app> is the
// executable's base name, taken anew each time: a renamed program has settings of its own.

#include "services/services.h"

namespace numbolo {

class UserSettingsLocation : public SettingsLocation {
public:
    QString iniPath() const override;
    // The real flushes of desktop/diskflush.h.
    bool flushFile(QFileDevice &file) const override;
    bool flushFolder(const QString &folder) const override;
};

} // namespace numbolo
