#include "desktop/userfontfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace numbolo {

QString UserFontFolders::systemFontFolder() const
{
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(qEnvironmentVariable("SystemRoot")) + QStringLiteral("/Fonts");
#else
    // The user's font folder, created when missing as a desktop creates its per-user folders.
    const QString folder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("fonts"));
    QDir().mkpath(folder);
    return folder;
#endif
}

QStringList UserFontFolders::programFolders() const
{
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin, QDir(bin).filePath(QStringLiteral("../share/numbolo")),
            QDir(bin).filePath(QStringLiteral("../Resources"))};
}

} // namespace numbolo
