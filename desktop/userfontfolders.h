#pragma once
// The user's font folder, and the folders the program's display font is delivered in.

#include "services/services.h"

namespace numbolo {

class UserFontFolders : public FontFolders {
public:
    QString systemFontFolder() const override;
    QStringList programFolders() const override;
};

} // namespace numbolo
