#include "desktop/usersettingslocation.h"

#include "desktop/diskflush.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace numbolo {

QString UserSettingsLocation::iniPath() const
{
    const QString app = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(app + QLatin1Char('/') + app + QStringLiteral(".ini"));
}

bool UserSettingsLocation::flushFile(QFileDevice &file) const
{
    return flushFileToDisk(file);
}

bool UserSettingsLocation::flushFolder(const QString &folder) const
{
    return flushFolderToDisk(folder);
}

} // namespace numbolo
