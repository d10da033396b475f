#pragma once
// The real services, owned together, for the program and the benchmarks.

#include "desktop/modulesoundplayer.h"
#include "desktop/qtmessageboxes.h"
#include "desktop/realclock.h"
#include "desktop/seededrandom.h"
#include "desktop/userfontfolders.h"
#include "desktop/moduleclassrecorder.h"
#include "desktop/modulehistoryrecorder.h"
#include "desktop/modules.h"
#include "services/services.h"

#include <memory>

namespace numbolo {

class RealServices {
public:
    // The services of the player whose files `files` names, with the modules looked for in
    // `modules` (desktop/modules.h).
    explicit RealServices(PlayerFiles &files, QStringList modules = moduleFolders());
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
    // Where a [School] group turns the class store on: the local history and the class store.
    std::unique_ptr<ModuleClassRecorder> m_class;
    std::unique_ptr<Announcer> m_announcer;
};

} // namespace numbolo
