#include "profiles/profilepictures.h"

#include <QCoreApplication>

namespace numbolo {

const ProfilePicture *profilePicture(const QString &key)
{
    for (const ProfilePicture &picture : ProfilePictures) {
        if (key == QLatin1String(picture.key))
            return &picture;
    }
    return nullptr;
}

QString profilePictureName(const ProfilePicture &picture)
{
    return QCoreApplication::translate("numbolo::ProfilePicture", picture.name);
}

} // namespace numbolo
