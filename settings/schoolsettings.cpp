#include "settings/schoolsettings.h"

#include "settings/settings.h"

#include <QSettings>

namespace numbolo {

SchoolSettings readSchoolSettings(const QString &iniPath, const QString &program)
{
    const QHash<QString, QString> own = StoredSettings::read(iniPath, QStringLiteral("School"));
    QSettings system(QSettings::IniFormat, QSettings::SystemScope, program, program);
    system.beginGroup(QStringLiteral("School"));
    const auto value = [&](const QString &key) {
        return own.contains(key) ? own.value(key) : system.value(key).toString();
    };
    return {value(QStringLiteral("database")), value(QStringLiteral("class")).trimmed()};
}

} // namespace numbolo
