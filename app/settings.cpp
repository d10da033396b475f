#include "app/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <filesystem>
#include <system_error>

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

namespace {

// Writes the values as a complete settings file at `path`, replacing whatever is there.
bool writeComplete(const QString &path, const Values &values)
{
    QFile::remove(path); // a leftover of an interrupted save would be merged in
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(Section);
    for (const auto &[key, text] : values)
        settings.setValue(key, text);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError && QFileInfo(path).isFile();
}

// Puts `from` in the place of `to` in one step: a reader sees the old file or the new one.
bool replace(const QString &from, const QString &to)
{
    std::error_code failed;
    std::filesystem::rename(QFileInfo(from).filesystemAbsoluteFilePath(), QFileInfo(to).filesystemAbsoluteFilePath(),
                            failed);
    return !failed;
}

} // namespace

bool write(const QString &iniPath, const Values &values, QString *error)
{
    const QFileInfo info(iniPath);
    if (info.exists() && !info.isFile()) {
        *error = QStringLiteral("Στη θέση του αρχείου υπάρχει φάκελος.");
        return false;
    }
    // A file the user has made unreadable or read-only is kept as it is.
    if (info.exists() && !info.isReadable()) {
        *error = QStringLiteral("Το αρχείο δεν μπορεί να διαβαστεί.");
        return false;
    }
    // The new file is written complete beside the old one and then takes its place. Nothing of
    // the old file is merged in, so a damaged file is simply replaced, and a crash or a full
    // disk at any moment leaves the old file or the new one, never a part of either.
    const QString staging = iniPath + QStringLiteral(".saving");
    const bool saved = (!info.exists() || info.isWritable()) && QDir().mkpath(info.absolutePath())
        && writeComplete(staging, values) && replace(staging, iniPath);
    if (!saved) {
        QFile::remove(staging);
        *error = QStringLiteral("Το αρχείο δεν μπορεί να γραφτεί.");
    }
    return saved;
}

} // namespace numbolo::StoredSettings
