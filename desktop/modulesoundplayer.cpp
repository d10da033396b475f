#include "desktop/modulesoundplayer.h"

namespace numbolo {

ModuleSoundPlayer::ModuleSoundPlayer(QStringList folders) : m_folders(std::move(folders)) {}

ModuleSoundPlayer::~ModuleSoundPlayer() = default;

void ModuleSoundPlayer::play(Sound sound)
{
    if (!m_looked) {
        m_looked = true;
        using Create = SoundPlayer *(*)();
        if (const auto create = reinterpret_cast<Create>(
                moduleFunction(m_folders, QStringLiteral("numbolo_sound"), "numbolo_create_sound_player")))
            m_player.reset(create());
    }
    if (m_player)
        m_player->play(sound);
}

} // namespace numbolo
