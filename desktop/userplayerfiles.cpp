#include "desktop/userplayerfiles.h"

#include "desktop/diskflush.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace numbolo {

namespace {

QString appName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace

QString UserPlayerFiles::iniPath() const
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(appName() + QLatin1Char('/') + appName() + QStringLiteral(".ini"));
}

QString UserPlayerFiles::historyPath() const
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(appName() + QStringLiteral("/history.sqlite"));
}

QString UserPlayerFiles::pendingPath() const
{
    return historyPath() + QStringLiteral(".pending");
}

bool UserPlayerFiles::flushFile(QFileDevice &file) const
{
    return flushFileToDisk(file);
}

bool UserPlayerFiles::flushFolder(const QString &folder) const
{
    return flushFolderToDisk(folder);
}

} // namespace numbolo
