#include "app/realservices.h"

#include "desktop/accessibleannouncer.h"
#include "desktop/modules.h"

namespace numbolo {

RealServices::RealServices(PlayerFiles &files)
    // The history module is looked for where the sound module is, at the first record.
    : m_files(files),
      m_history([](const QString &name, const char *symbol) { return moduleFunction(moduleFolders(), name, symbol); },
                files),
      m_announcer(std::make_unique<AccessibleAnnouncer>(m_clock))
{
}

RealServices::~RealServices() = default;

Services RealServices::services()
{
    return Services{m_messages, m_sound, m_files, m_fonts, m_random, m_clock, *m_announcer, &m_history};
}

} // namespace numbolo
