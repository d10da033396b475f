#include "app/realservices.h"

#include "desktop/accessibleannouncer.h"
#include "services/programname.h"
#include "settings/schoolsettings.h"

namespace numbolo {

namespace {

ModuleHistoryRecorder::FindFunction finderIn(QStringList modules)
{
    return [modules](const QString &name, const char *symbol) { return moduleFunction(modules, name, symbol); };
}

} // namespace

RealServices::RealServices(PlayerFiles &files, QStringList modules)
    // The history module is looked for where the sound module is, at the first record.
    : m_files(files),
      m_history(finderIn(modules), files),
      m_announcer(std::make_unique<AccessibleAnnouncer>(m_clock))
{
    const SchoolSettings school = readSchoolSettings(files.iniPath(), ProgramName);
    if (school.on())
        m_class = std::make_unique<ModuleClassRecorder>(
            finderIn(modules), files, ModuleClassRecorder::School{school.database, school.className}, m_history);
}

RealServices::~RealServices() = default;

Services RealServices::services()
{
    return Services{m_messages, m_sound, m_files, m_fonts, m_random, m_clock, *m_announcer,
                    m_class ? static_cast<HistoryRecorder *>(m_class.get()) : &m_history};
}

} // namespace numbolo
