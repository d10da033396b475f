#include "profiles/profilelist.h"

#include "profiles/profilename.h"
#include "profiles/profilepictures.h"
#include "settings/settings.h"

#include <QCoreApplication>
#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

namespace numbolo {

namespace {

constexpr int ListVersion = 1;
// Another window's change of the list takes a moment; a wait longer than this is a hung one.
constexpr int ListLockWaitMs = 5000;
constexpr QFile::Permissions PrivateFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser
    | QFile::WriteUser | QFile::ExeUser;
constexpr QFile::Permissions PrivateFile = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;

QString gameOpenText()
{
    return QCoreApplication::translate("numbolo::ProfileList", "Το παιχνίδι είναι ανοιχτό: κλείσε το πρώτα και δοκίμασε ξανά.");
}

QString goneText()
{
    return QCoreApplication::translate("numbolo::ProfileList", "Το παιδί δεν υπάρχει πια στον κατάλογο των παιδιών.");
}

bool makePrivateFolder(const QString &path)
{
    return QDir().mkpath(path) && QFile::setPermissions(path, PrivateFolder);
}

// An id is a folder's name: only what the program makes is taken from the list.
bool validId(const QString &id)
{
    static const QRegularExpression made(QStringLiteral("^[0-9a-z]{1,64}$"));
    return made.match(id).hasMatch();
}

QString newId(const QString &folder)
{
    for (;;) {
        const QString id = QString::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, QLatin1Char('0'));
        if (!QFileInfo::exists(QDir(folder).filePath(id)))
            return id;
    }
}

// Holds the lock of the list for one change.
class ListLock {
public:
    explicit ListLock(const QString &folder) : m_folder(folder), m_lock(QDir(folder).filePath(QStringLiteral("profiles.lock"))) {}
    ~ListLock()
    {
        m_lock.unlock();
        // A folder left empty (the last profile deleted, or none made) goes, as if it never was.
        QDir().rmdir(m_folder);
    }
    bool take(QString *error)
    {
        if (makePrivateFolder(m_folder) && m_lock.tryLock(ListLockWaitMs))
            return true;
        *error = m_lock.error() == QLockFile::LockFailedError
            ? QCoreApplication::translate("numbolo::ProfileList", "Ο κατάλογος των παιδιών αλλάζει από άλλο παράθυρο: δοκίμασε ξανά σε λίγο.")
            : QCoreApplication::translate("numbolo::ProfileList", "Ο φάκελος %1 δεν μπορεί να γραφτεί.").arg(QDir::toNativeSeparators(m_folder));
        return false;
    }

private:
    QString m_folder;
    QLockFile m_lock;
};

// Takes the game's own lock of the account, so that no game starts while files are moved or
// deleted. False where a game runs: on this computer, or on another that shares the home.
bool takeGameLock(QLockFile &lock, QString *error)
{
    lock.setStaleLockTime(0); // as the game holds it: only a dead owner frees it
    if (lock.tryLock(0) || lock.error() != QLockFile::LockFailedError)
        return true; // taken, or none can be made in that folder, so no game holds one there either
    if (!lock.getLockInfo(nullptr, nullptr, nullptr) && lock.removeStaleLockFile() && lock.tryLock(0))
        return true; // a lock without its owner's id: a game was killed while it made it
    *error = gameOpenText();
    return false;
}

// Moves the file `from` to `to`, which must not exist, and keeps it private. A link (into a
// dotfiles folder, say) becomes a copy of the file it names: from the profile's folder a
// relative link would name nothing.
bool moveFile(const QString &from, const QString &to)
{
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return false;
    const bool moved = QFileInfo(from).isSymLink() ? QFile::copy(from, to) && QFile::remove(from) : QFile::rename(from, to);
    return moved && QFile::setPermissions(to, PrivateFile);
}

} // namespace

ProfileList::ProfileList(const PlayerFiles &account) : m_account(account) {}

QString ProfileList::folder() const
{
    return QFileInfo(m_account.historyPath()).dir().filePath(QStringLiteral("profiles"));
}

QString ProfileList::listPath() const
{
    return QDir(folder()).filePath(QStringLiteral("profiles.json"));
}

QString ProfileList::profileFolder(const QString &id) const
{
    return QDir(folder()).filePath(id);
}

ProfileFiles ProfileList::files(const Profile &profile) const
{
    return ProfileFiles(m_account, profileFolder(profile.id), profile.name);
}

bool ProfileList::readEntries(std::vector<Entry> *entries, QString *error) const
{
    entries->clear();
    const QString path = listPath();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    QFile file(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("numbolo::ProfileList", "Ο κατάλογος των παιδιών %1 δεν διαβάζεται.").arg(shown);
        return false;
    }
    const QString damaged = QCoreApplication::translate("numbolo::ProfileList", "Ο κατάλογος των παιδιών %1 είναι χαλασμένος, και το Numbolo δεν τον "
                                           "αλλάζει: τα αρχεία των παιδιών μένουν όπως είναι.")
                                .arg(shown);
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parsed);
    if (parsed.error != QJsonParseError::NoError || !document.isObject()) {
        *error = damaged;
        return false;
    }
    const QJsonObject list = document.object();
    if (list.value(QLatin1String("version")).toInt(ListVersion) > ListVersion) {
        *error = QCoreApplication::translate("numbolo::ProfileList", "Ο κατάλογος των παιδιών %1 γράφτηκε από νεότερη έκδοση του Numbolo.").arg(shown);
        return false;
    }
    for (const QJsonValue value : list.value(QLatin1String("profiles")).toArray()) {
        const QJsonObject object = value.toObject();
        Entry entry;
        entry.profile.id = object.value(QLatin1String("id")).toString();
        entry.profile.name = ProfileName::cleaned(object.value(QLatin1String("name")).toString());
        entry.profile.picture = object.value(QLatin1String("picture")).toString();
        const QString state = object.value(QLatin1String("state")).toString();
        entry.state = state == QLatin1String("takingOver") ? State::TakingOver
            : state == QLatin1String("deleting")           ? State::Deleting
                                                           : State::Ready;
        if (!validId(entry.profile.id) || entry.profile.name.isEmpty()) {
            entries->clear();
            *error = damaged;
            return false;
        }
        entries->push_back(std::move(entry));
    }
    return true;
}

bool ProfileList::writeEntries(const std::vector<Entry> &entries, QString *error) const
{
    const QString path = listPath();
    const QString failed = QCoreApplication::translate("numbolo::ProfileList", "Ο κατάλογος των παιδιών %1 δεν γράφτηκε: %2").arg(QDir::toNativeSeparators(path));
    if (entries.empty()) {
        if (QFileInfo::exists(path) && !QFile::remove(path)) {
            *error = failed.arg(QCoreApplication::translate("numbolo::ProfileList", "δεν σβήνεται."));
            return false;
        }
        m_account.flushFolder(folder());
        return true;
    }
    QJsonArray list;
    for (const Entry &entry : entries) {
        QJsonObject object{{QLatin1String("id"), entry.profile.id}, {QLatin1String("name"), entry.profile.name}};
        if (!entry.profile.picture.isEmpty())
            object.insert(QLatin1String("picture"), entry.profile.picture);
        if (entry.state != State::Ready)
            object.insert(QLatin1String("state"), entry.state == State::TakingOver ? QStringLiteral("takingOver")
                                                                                   : QStringLiteral("deleting"));
        list.append(object);
    }
    const QByteArray bytes =
        QJsonDocument(QJsonObject{{QLatin1String("version"), ListVersion}, {QLatin1String("profiles"), list}}).toJson();
    // The new list is whole on the disk before it takes the old one's place, and its place is on
    // the disk before what it says is done: a crash leaves the old list or the new one.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || !out.setPermissions(PrivateFile) || out.write(bytes) != bytes.size()) {
        *error = failed.arg(out.errorString());
        return false;
    }
    if (!m_account.flushFile(out)) {
        out.cancelWriting();
        *error = failed.arg(QCoreApplication::translate("numbolo::ProfileList", "ο δίσκος δεν επιβεβαίωσε ότι το αρχείο φυλάχτηκε."));
        return false;
    }
    if (!out.commit()) {
        *error = failed.arg(out.errorString());
        return false;
    }
    if (!m_account.flushFolder(folder())) {
        *error = failed.arg(QCoreApplication::translate("numbolo::ProfileList", "ο δίσκος δεν επιβεβαίωσε ότι το αρχείο φυλάχτηκε."));
        return false;
    }
    return true;
}

bool ProfileList::read(std::vector<Profile> *profiles, QString *error) const
{
    profiles->clear();
    std::vector<Entry> entries;
    if (!readEntries(&entries, error))
        return false;
    for (Entry &entry : entries) {
        if (entry.state != State::Deleting)
            profiles->push_back(std::move(entry.profile));
    }
    sortByName(*profiles);
    return true;
}

const Profile *ProfileList::find(const std::vector<Profile> &profiles, const QString &name)
{
    const QString wanted = ProfileName::key(name);
    const auto found = std::find_if(profiles.begin(), profiles.end(),
                                    [&wanted](const Profile &p) { return ProfileName::key(p.name) == wanted; });
    return found == profiles.end() ? nullptr : &*found;
}

void ProfileList::sortByName(std::vector<Profile> &profiles)
{
    QCollator collator{QLocale(QLocale::Greek, QLocale::Greece)};
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(profiles.begin(), profiles.end(), [&collator](const Profile &a, const Profile &b) {
        return collator.compare(a.name, b.name) < 0;
    });
}

QStringList ProfileList::accountFiles() const
{
    // The settings file and the copies kept of it damaged; the history, its journal, its pending
    // records, the copies kept of it damaged and the ways remembered beside it (with their
    // journal). Not the locks: they belong to whoever holds them.
    QStringList found;
    const auto add = [&found](const QString &path, const QStringList &suffixes) {
        const QFileInfo info(path);
        QStringList patterns;
        for (const QString &suffix : suffixes)
            patterns << info.fileName() + suffix;
        for (const QFileInfo &entry : info.dir().entryInfoList(patterns, QDir::Files | QDir::System | QDir::Hidden))
            found << entry.absoluteFilePath();
    };
    add(m_account.iniPath(), {QString(), QStringLiteral(".damaged*")});
    add(m_account.historyPath(), {QString(), QStringLiteral("-journal"), QStringLiteral(".damaged*"), QStringLiteral(".ways*")});
    add(m_account.pendingPath(), {QString()});
    found.removeDuplicates();
    return found;
}

bool ProfileList::accountHasFiles() const
{
    return !accountFiles().isEmpty();
}

QDateTime ProfileList::lastPlayed(const Profile &profile) const
{
    const ProfileFiles files = this->files(profile);
    QDateTime latest;
    for (const QString &path : {files.historyPath(), files.pendingPath()}) {
        const QFileInfo info(path);
        if (info.exists() && (!latest.isValid() || info.lastModified() > latest))
            latest = info.lastModified();
    }
    return latest;
}

bool ProfileList::takeOver(const Profile &profile, QString *error) const
{
    const QString to = profileFolder(profile.id);
    QStringList left;
    QStringList folders{to};
    for (const QString &from : accountFiles()) {
        if (!moveFile(from, QDir(to).filePath(QFileInfo(from).fileName())))
            left << QDir::toNativeSeparators(from);
        folders << QFileInfo(from).absolutePath();
    }
    folders.removeDuplicates();
    for (const QString &folder : std::as_const(folders))
        m_account.flushFolder(folder);
    if (left.isEmpty())
        return true;
    *error = QCoreApplication::translate("numbolo::ProfileList", "Τα αρχεία %1 δεν μεταφέρθηκαν στον φάκελο του παιδιού: θα μεταφερθούν στην επόμενη "
                            "αλλαγή των παιδιών ή στο επόμενο παιχνίδι.")
                 .arg(left.join(QStringLiteral(", ")));
    return false;
}

bool ProfileList::deleteFiles(const Profile &profile, QString *error) const
{
    const QString path = profileFolder(profile.id);
    if (!QFileInfo(path).isSymLink() && QDir(path).removeRecursively()) {
        m_account.flushFolder(folder());
        return true;
    }
    *error = QCoreApplication::translate("numbolo::ProfileList", "Δεν σβήστηκαν όλα τα αρχεία του φακέλου %1: θα σβηστούν στην επόμενη αλλαγή των "
                            "παιδιών ή στο επόμενο παιχνίδι.")
                 .arg(QDir::toNativeSeparators(path));
    return false;
}

bool ProfileList::finishLocked(std::vector<Entry> &entries, QString *error) const
{
    bool changed = false, finished = true;
    for (auto entry = entries.begin(); entry != entries.end();) {
        if (entry->state == State::TakingOver && takeOver(entry->profile, error)) {
            entry->state = State::Ready;
            changed = true;
        } else if (entry->state == State::Deleting && deleteFiles(entry->profile, error)) {
            entry = entries.erase(entry);
            changed = true;
            continue;
        }
        finished = finished && entry->state == State::Ready;
        ++entry;
    }
    if (changed && !writeEntries(entries, error))
        return false;
    return finished;
}

bool ProfileList::finishInterrupted(QString *error)
{
    if (!QFileInfo::exists(listPath()))
        return true;
    ListLock lock(folder());
    std::vector<Entry> entries;
    return lock.take(error) && readEntries(&entries, error) && finishLocked(entries, error);
}

bool ProfileList::create(const QString &typedName, const QString &picture, Profile *made, QString *error)
{
    const QString name = ProfileName::cleaned(typedName);
    ListLock lock(folder());
    std::vector<Entry> entries;
    if (!lock.take(error) || !readEntries(&entries, error))
        return false;
    finishLocked(entries, error); // what it could not finish stays to be finished, and hides nothing
    QStringList others;
    for (const Entry &entry : entries) {
        if (entry.state != State::Deleting)
            others << entry.profile.name;
    }
    if (const ProfileName::Problem problem = ProfileName::problem(name, others); problem != ProfileName::Problem::None) {
        *error = ProfileName::problemText(problem, name);
        return false;
    }
    // The first profile needs the game closed, also where the account has no files yet: a game
    // open on the account's own files would write them after it, where no one plays any more.
    QLockFile game(StoredSettings::lockPath(m_account.iniPath()));
    if (others.isEmpty() && !takeGameLock(game, error))
        return false;
    const bool takes = others.isEmpty() && accountHasFiles();

    Profile profile{newId(folder()), name, profilePicture(picture) != nullptr ? picture : QString()};
    const QString home = profileFolder(profile.id);
    if (!makePrivateFolder(home)) {
        *error = QCoreApplication::translate("numbolo::ProfileList", "Ο φάκελος %1 δεν φτιάχτηκε.").arg(QDir::toNativeSeparators(home));
        return false;
    }
    entries.push_back({profile, takes ? State::TakingOver : State::Ready});
    if (!writeEntries(entries, error)) {
        QDir(home).removeRecursively();
        return false;
    }
    bool done = true;
    if (takes && takeOver(profile, error)) {
        entries.back().state = State::Ready;
        writeEntries(entries, error); // a list that still says so takes over nothing more next time
    } else if (takes) {
        done = false;
    }
    // An empty settings file, private to its user: the game's saves keep the file's permissions.
    QFile settings(files(profile).iniPath());
    if (!settings.exists() && settings.open(QIODevice::WriteOnly))
        settings.setPermissions(PrivateFile);
    *made = profile;
    return done;
}

bool ProfileList::change(const QString &id, const QString &typedName, const QString &picture, QString *error)
{
    const QString name = ProfileName::cleaned(typedName);
    ListLock lock(folder());
    std::vector<Entry> entries;
    if (!lock.take(error) || !readEntries(&entries, error))
        return false;
    finishLocked(entries, error);
    Entry *changed = nullptr;
    QStringList others;
    for (Entry &entry : entries) {
        if (entry.state == State::Deleting)
            continue;
        if (entry.profile.id == id)
            changed = &entry;
        else
            others << entry.profile.name;
    }
    if (changed == nullptr) {
        *error = goneText();
        return false;
    }
    if (const ProfileName::Problem problem = ProfileName::problem(name, others); problem != ProfileName::Problem::None) {
        *error = ProfileName::problemText(problem, name);
        return false;
    }
    changed->profile.name = name;
    changed->profile.picture = profilePicture(picture) != nullptr ? picture : QString();
    return writeEntries(entries, error);
}

bool ProfileList::remove(const QString &id, QString *error)
{
    ListLock lock(folder());
    std::vector<Entry> entries;
    if (!lock.take(error) || !readEntries(&entries, error))
        return false;
    finishLocked(entries, error);
    const auto gone = std::find_if(entries.begin(), entries.end(), [&id](const Entry &e) { return e.profile.id == id; });
    if (gone == entries.end())
        return true;
    QLockFile game(StoredSettings::lockPath(m_account.iniPath()));
    if (!takeGameLock(game, error))
        return false;
    gone->state = State::Deleting;
    if (!writeEntries(entries, error))
        return false;
    if (!deleteFiles(gone->profile, error))
        return false;
    entries.erase(gone);
    return writeEntries(entries, error);
}

} // namespace numbolo
