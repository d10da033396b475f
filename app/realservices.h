#pragma once
// The real services, owned together, for the program and the benchmarks.

#include "desktop/modulesoundplayer.h"
#include "desktop/qtmessageboxes.h"
#include "desktop/realclock.h"
#include "desktop/seededrandom.h"
#include "desktop/userfontfolders.h"
#include "desktop/modulehistoryrecorder.h"
#include "services/services.h"

#include <memory>

namespace numbolo {

class RealServices {
public:
    // The services of the player whose files `files` names.
    explicit RealServices(PlayerFiles &files);
    ~RealServices();
    Services services();

private:
    QtMessageBoxes m_messages;
    ModuleSoundPlayer m_sound;
    PlayerFiles &m_files;
    UserFontFolders m_fonts;
    SeededRandom m_random;
    RealClock m_clock;
    ModuleHistoryRecorder m_history;
    std::unique_ptr<Announcer> m_announcer;
};

} // namespace numbolo
