// The entry point of the sound module, which ModuleSoundPlayer loads at the first sound.

#include "desktop/qtsound.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT numbolo::SoundPlayer *numbolo_create_sound_player()
{
    return new numbolo::QtSoundPlayer;
}
