#pragma once
// The pictures a parent can give a child's profile: drawn for the game, each with the Greek name
// a screen reader says. A profile keeps the picture's key, which never changes.

#include <QString>
#include <QtGlobal>

namespace numbolo {

struct ProfilePicture {
    const char *key;  // as the list of profiles keeps it
    const char *file; // the SVG among the program's resources
    const char *name; // what a screen reader says, and the picture's caption, untranslated
};

inline constexpr ProfilePicture ProfilePictures[] = {
    {"cat", ":/pictures/profile-cat.svg", QT_TRANSLATE_NOOP("numbolo::ProfilePicture", "Γάτα")},
    {"fish", ":/pictures/profile-fish.svg", QT_TRANSLATE_NOOP("numbolo::ProfilePicture", "Ψάρι")},
    {"bird", ":/pictures/profile-bird.svg", QT_TRANSLATE_NOOP("numbolo::ProfilePicture", "Πουλί")},
    {"sun", ":/pictures/profile-sun.svg", QT_TRANSLATE_NOOP("numbolo::ProfilePicture", "Ήλιος")},
    {"star", ":/pictures/profile-star.svg", QT_TRANSLATE_NOOP("numbolo::ProfilePicture", "Αστέρι")},
    {"boat", ":/pictures/profile-boat.svg", QT_TRANSLATE_NOOP("numbolo::ProfilePicture", "Καράβι")},
};

// The picture of `key`; null for none, or for a key this version does not know.
const ProfilePicture *profilePicture(const QString &key);
// The picture's name as it is shown and said.
QString profilePictureName(const ProfilePicture &picture);

} // namespace numbolo
