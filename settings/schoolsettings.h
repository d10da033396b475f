#pragma once
// The group [School] that turns the class store on: the school's PostgreSQL database, as a libpq
// connection string, and the pupil's class. Read from the player's own settings file, key by key
// before the system-wide file (/etc/xdg/Numbolo/Numbolo.ini) that a school deploys for every
// user. Credentials never come from here: libpq finds them itself (~/.pgpass, a service file,
// Kerberos, a Unix-socket peer login).

#include <QString>

namespace numbolo {

struct SchoolSettings {
    QString database; // "host=school.lan dbname=numbolo"
    QString className;

    // Nothing leaves the computer without a database to send to.
    bool on() const { return !database.trimmed().isEmpty(); }
};

// [School] of the settings file `iniPath`, each key missing there taken from the system-wide
// file of `program` (QSettings' system scope, /etc/xdg/<program>/<program>.ini).
SchoolSettings readSchoolSettings(const QString &iniPath, const QString &program);

} // namespace numbolo
