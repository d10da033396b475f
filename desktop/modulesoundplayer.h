#pragma once
// The real sound player. Qt Multimedia and the libraries it pulls in are loaded with the
// sound module (numbolo_sound, built from desktop/qtsound.cpp) at the first sound, so they cost
// start-up nothing. Without the module, a sound device or a sound server the game is silent.

#include "desktop/modules.h"
#include "services/services.h"

#include <memory>

namespace numbolo {

class ModuleSoundPlayer : public SoundPlayer {
public:
    // Looks for the module in `folders`, first match wins; by default beside the program and in
    // the installed module folder.
    explicit ModuleSoundPlayer(QStringList folders = moduleFolders());
    ~ModuleSoundPlayer() override;
    void play(Sound sound) override;
    // True once the module has been found and loaded (it is looked for at the first sound).
    bool loaded() const { return m_player != nullptr; }

private:
    QStringList m_folders;
    bool m_looked = false;
    std::unique_ptr<SoundPlayer> m_player;
};

} // namespace numbolo
