#include "settings/settings.h"

#include "services/services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <functional>

namespace numbolo::StoredSettings {

namespace {

const QString Section = QStringLiteral("Str");
const QString GameSection = QStringLiteral("Game");
const QString GameIdKey = QStringLiteral("Game/id");

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Opens the settings file and parses all of it. A file with lines QSettings does not understand
// (it drops them on the next write) or bytes that are not UTF-8 (it replaces them) is copied to
// "<file>.damaged" first, or to "<file>.damaged.N" when an earlier, different copy has that name.
void keepIfDamaged(const QString &path)
{
    const QByteArray bytes = contents(path);
    if (bytes.isEmpty())
        return;
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.allKeys();
        if (settings.status() != QSettings::FormatError && bytes.isValidUtf8())
            return;
    }
    for (int n = 1; n < 100; ++n) {
        const QString copy = path + QStringLiteral(".damaged") + (n > 1 ? QStringLiteral(".%1").arg(n) : QString());
        if (!QFileInfo::exists(copy))
            QFile::copy(path, copy);
        if (contents(copy) == bytes)
            return;
    }
}

} // namespace

QHash<QString, QString> read(const QString &iniPath, const QString &section)
{
    const QString path = resolvedPath(iniPath);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    keepIfDamaged(path);
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(section);
    QHash<QString, QString> values;
    for (const QString &key : settings.childKeys()) {
        const QVariant value = settings.value(key);
        values.insert(key, value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(','))
                                                                    : value.toString());
    }
    return values;
}

QString gameId(const QString &iniPath)
{
    const QString path = resolvedPath(iniPath);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    return QSettings(path, QSettings::IniFormat).value(GameIdKey).toString();
}

QString resolvedPath(const QString &iniPath)
{
    QString path = QFileInfo(iniPath).absoluteFilePath();
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            return path;
        path = info.symLinkTarget();
    }
    return {};
}

QString lockPath(const QString &iniPath)
{
    QString target = resolvedPath(iniPath);
    if (target.isEmpty())
        target = QFileInfo(iniPath).absoluteFilePath();
    const QFileInfo info(target);
    // Not "<file>.lock": QSettings takes that name for short locks of its own.
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".lock"));
}

namespace {

// The one safe save of the settings file: `change` sets what it writes on the file's settings.
Saved save(const PlayerFiles &location, const std::function<void(QSettings &)> &change, QString *error)
{
    const QString path = resolvedPath(location.iniPath());
    if (path.isEmpty()) {
        *error = QCoreApplication::translate("Settings", "Ο σύνδεσμος του αρχείου δείχνει σε κύκλο.");
        return Saved::No;
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        *error = QCoreApplication::translate("Settings", "Στη θέση του αρχείου υπάρχει φάκελος.");
        return Saved::No;
    }
    // QSettings takes a file it cannot read for an empty one: a file the user has made
    // unreadable or read-only is kept as it is.
    if (info.exists() && (!info.isReadable() || !info.isWritable())) {
        *error = QCoreApplication::translate("Settings", "Το αρχείο δεν μπορεί να διαβαστεί ή να γραφτεί.");
        return Saved::No;
    }
    const QString folder = info.absolutePath();
    // The staging file of the store of earlier versions, and its lock, are leftovers of a save
    // that was cut short.
    QFile::remove(path + QStringLiteral(".saving.lock"));
    QFile::remove(path + QStringLiteral(".saving"));
    keepIfDamaged(path);

    bool written = QDir().mkpath(folder);
    if (written) {
        QSettings settings(path, QSettings::IniFormat);
        change(settings);
        settings.sync();
        written = settings.status() != QSettings::AccessError;
    }
    if (!written) {
        *error = QCoreApplication::translate("Settings", "Το αρχείο δεν μπορεί να γραφτεί.");
        return Saved::No;
    }
    // The new file is in place. Its bytes, and its name as an entry of its folder, reach the disk
    // before the save counts: until then a power cut could lose it or bring the old file back.
    QFile file(path);
    const bool flushed = file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly) && location.flushFile(file);
    file.close();
    if (!flushed || !location.flushFolder(folder)) {
        *error = QCoreApplication::translate("Settings", "Ο δίσκος δεν επιβεβαίωσε ότι το αρχείο φυλάχτηκε με ασφάλεια.");
        return Saved::Unconfirmed;
    }
    return Saved::Yes;
}

void setSection(QSettings &settings, const QString &section, const Values &values)
{
    settings.beginGroup(section);
    for (const auto &[key, value] : values)
        settings.setValue(key, value);
    settings.endGroup();
}

} // namespace

Saved write(const PlayerFiles &location, const Values &values, const Values &game, QString *error)
{
    return save(location, [&](QSettings &settings) {
        setSection(settings, Section, values);
        // Keys of an earlier game never outlive it.
        settings.remove(GameSection);
        setSection(settings, GameSection, game);
    }, error);
}

Saved writeSection(const PlayerFiles &location, const QString &section, const Values &values, QString *error)
{
    return save(location, [&](QSettings &settings) { setSection(settings, section, values); }, error);
}

} // namespace numbolo::StoredSettings
