#include "app/profilestart.h"

#include "services/programname.h"

#include <QCoreApplication>
#include <cstdio>

namespace numbolo {

namespace {

QString quotedNames(const std::vector<Profile> &profiles)
{
    QStringList names;
    for (const Profile &profile : profiles)
        names << QStringLiteral("«%1»").arg(profile.name);
    return names.join(QStringLiteral(", "));
}

} // namespace

QString unknownProfileText(const QString &name, const std::vector<Profile> &profiles)
{
    if (profiles.empty())
        return QCoreApplication::translate("numbolo::ProfileStart", "δεν υπάρχει παιδί με το όνομα «%1»: σε αυτόν τον λογαριασμό δεν έχει φτιαχτεί κανένα "
                              "προφίλ παιδιού.")
            .arg(name);
    return QCoreApplication::translate("numbolo::ProfileStart", "δεν υπάρχει παιδί με το όνομα «%1». Τα παιδιά αυτού του λογαριασμού: %2.")
        .arg(name, quotedNames(profiles));
}

StartFor startFor(const PlayerFiles &account, const QString &wanted, bool report)
{
    std::vector<Profile> profiles;
    QString error;
    if (!ProfileList(account).read(&profiles, &error)) {
        tellOnStandardError(error);
        return {1, {}};
    }
    if (!wanted.isEmpty()) {
        if (const Profile *named = ProfileList::find(profiles, wanted))
            return {0, *named};
        tellOnStandardError(unknownProfileText(wanted, profiles));
        return {2, {}};
    }
    if (!report || profiles.empty())
        return {0, {}};
    if (profiles.size() == 1)
        return {0, profiles.front()};
    tellOnStandardError(QCoreApplication::translate("numbolo::ProfileStart", "σε αυτόν τον λογαριασμό παίζουν τα παιδιά %1: δώσε με --profile ΟΝΟΜΑ τίνος "
                                       "την πρόοδο θέλεις.")
                            .arg(quotedNames(profiles)));
    return {2, {}};
}

int listProfiles(const PlayerFiles &account)
{
    std::vector<Profile> profiles;
    QString error;
    if (!ProfileList(account).read(&profiles, &error)) {
        tellOnStandardError(error);
        return 1;
    }
    QByteArray out;
    for (const Profile &profile : profiles)
        out += profile.name.toUtf8() + '\n';
    if (std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout) != std::size_t(out.size())
        || std::fflush(stdout) != 0) {
        tellOnStandardError(QCoreApplication::translate("numbolo::ProfileStart", "η λίστα των παιδιών δεν γράφτηκε ολόκληρη."));
        return 1;
    }
    return 0;
}

} // namespace numbolo
