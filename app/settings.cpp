#include "app/settings.h"

#include <QFileInfo>
#include <QSettings>

namespace numbolo::StoredSettings {

namespace {
const QString Section = QStringLiteral("Str");
}

QString read(const QString &iniPath, const QString &key)
{
    if (!QFileInfo(iniPath).isFile())
        return {};
    QSettings settings(iniPath, QSettings::IniFormat);
    settings.beginGroup(Section);
    const QVariant value = settings.value(key);
    // An unquoted value with commas (a decimal comma written by hand) reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool write(const QString &iniPath, const Values &values, QString *error)
{
    const QFileInfo info(iniPath);
    if (info.exists() && !info.isFile()) {
        *error = QStringLiteral("Στη θέση του αρχείου υπάρχει φάκελος.");
        return false;
    }
    QSettings settings(iniPath, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError || (info.exists() && !info.isReadable())) {
        // An unreadable file would be merged as empty and overwritten: keep it as it is.
        *error = QStringLiteral("Το αρχείο δεν μπορεί να διαβαστεί.");
        return false;
    }
    settings.beginGroup(Section);
    for (const auto &[key, text] : values)
        settings.setValue(key, text);
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        *error = QStringLiteral("Το αρχείο δεν μπορεί να γραφτεί.");
        return false;
    }
    return true;
}

} // namespace numbolo::StoredSettings
