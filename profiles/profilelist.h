#pragma once
// The profiles of the children who share a computer account. They live beside the account's
// history, in the folder "profiles" (0700): the list "profiles.json" (0600), written whole
// beside the old one, put in its place and flushed to the disk, and a folder (0700) for each
// profile, named by an id the program makes, with that child's settings, history and pending
// records. With no profile none of this exists, and the account's own files are its one
// player's. The first profile made takes those files over; deleting the last profile removes the
// folder again.
//
// Moving the account's files and deleting a profile's files happen only while no game runs on
// the account (they take the game's lock), in steps that a crash cannot leave half done: the
// list first says what is under way, flushed to the disk, then the files are moved or deleted,
// then the list says it is done. What a crash cut short is finished by the next change, or by
// finishInterrupted() at the game's start. Each change takes a lock of the list, so that two
// progress windows do not lose each other's changes.

#include "profiles/profilefiles.h"

#include <QDateTime>
#include <QString>

#include <vector>

namespace numbolo {

struct Profile {
    QString id;      // its folder's name, made by the program
    QString name;    // cleaned, as ProfileName keeps it
    QString picture; // a key of ProfilePictures, or empty
};

class ProfileList {
public:
    // The profiles of the account whose own files `account` names (it must outlive this).
    explicit ProfileList(const PlayerFiles &account);

    QString folder() const;
    QString listPath() const;

    // The profiles, in the alphabetical order of their names. True with none where there is no
    // list; false with a Greek `error`, and none, where the list cannot be read.
    bool read(std::vector<Profile> *profiles, QString *error) const;
    // The profile named `name`, as ProfileName tells names apart; null where there is none.
    static const Profile *find(const std::vector<Profile> &profiles, const QString &name);
    // Alphabetical, as a Greek reader orders names: accents and capitals aside, numbers by value.
    static void sortByName(std::vector<Profile> &profiles);
    // The files of `profile`.
    ProfileFiles files(const Profile &profile) const;
    // Whether the account's own player has files (settings, history or pending records), which
    // the first profile made takes over.
    bool accountHasFiles() const;
    // When `profile` last played: the latest write of its history; invalid where it never did.
    QDateTime lastPlayed(const Profile &profile) const;

    // Makes the profile of the child `typedName` (cleaned as ProfileName says) with `picture`
    // (a key of ProfilePictures, or empty). The first profile takes over the account's own files,
    // which needs the game closed. False, with a Greek `error`, where the name is refused or the
    // profile cannot be made; nothing is then changed.
    bool create(const QString &typedName, const QString &picture, Profile *made, QString *error);
    // Gives the profile `id` another name or picture.
    bool change(const QString &id, const QString &typedName, const QString &picture, QString *error);
    // Deletes the profile `id` with its settings, history and pending records; the game must be
    // closed. A profile that is no longer there is deleted already.
    bool remove(const QString &id, QString *error);
    // Finishes what a crash left under way: files still to take over, a profile still to delete.
    bool finishInterrupted(QString *error);

private:
    enum class State { Ready, TakingOver, Deleting };
    struct Entry {
        Profile profile;
        State state = State::Ready;
    };
    bool readEntries(std::vector<Entry> *entries, QString *error) const;
    bool writeEntries(const std::vector<Entry> &entries, QString *error) const;
    bool finishLocked(std::vector<Entry> &entries, QString *error) const;
    bool takeOver(const Profile &profile, QString *error) const;
    bool deleteFiles(const Profile &profile, QString *error) const;
    QString profileFolder(const QString &id) const;
    QStringList accountFiles() const;

    const PlayerFiles &m_account;
};

} // namespace numbolo
