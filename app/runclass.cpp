#include "app/runclass.h"

#include "desktop/modules.h"
#include "services/programname.h"
#include "services/services.h"
#include "settings/schoolsettings.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace numbolo {

int runClassCsv(const QStringList &folders, const PlayerFiles &files)
{
    const SchoolSettings school = readSchoolSettings(files.iniPath(), ProgramName);
    if (!school.on()) {
        tellOnStandardError(QCoreApplication::translate(
            "Numbolo", "Δεν ορίστηκε βάση του σχολείου: λείπει το database της ομάδας [School] από τις ρυθμίσεις."));
        return 1;
    }
    using Write = bool (*)(const QString &database, QIODevice &out, QString *error);
    const auto write =
        reinterpret_cast<Write>(moduleFunction(folders, QStringLiteral("numbolo_classroom"), "numbolo_write_class_csv"));
    if (write == nullptr) {
        tellOnStandardError(
            QCoreApplication::translate("Numbolo", "δεν βρέθηκε η μονάδα numbolo_classroom, που διαβάζει την τάξη."));
        return 1;
    }
    QFile out;
    QString error;
    if (!out.open(stdout, QIODevice::WriteOnly) || !write(school.database, out, &error)) {
        tellOnStandardError(error.isEmpty() ? out.errorString() : error);
        return 1;
    }
    return 0;
}

} // namespace numbolo
