#include "app/runclass.h"

#include "desktop/modules.h"
#include "services/programname.h"
#include "services/services.h"
#include "settings/schoolsettings.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <optional>

namespace numbolo {

namespace {

// The [School] group of `files` (or of the system-wide file), or nothing after saying on standard
// error that it gives no database.
std::optional<SchoolSettings> givenSchool(const PlayerFiles &files)
{
    SchoolSettings school = readSchoolSettings(files.iniPath(), ProgramName);
    if (school.on())
        return school;
    tellOnStandardError(QCoreApplication::translate(
        "Numbolo", "Δεν ορίστηκε βάση του σχολείου: λείπει το database της ομάδας [School] από τις ρυθμίσεις."));
    return std::nullopt;
}

} // namespace

bool schoolGiven(const PlayerFiles &files)
{
    return givenSchool(files).has_value();
}

int runClass(Run run, const QStringList &folders, const PlayerFiles &files, const QString &file)
{
    const std::optional<SchoolSettings> school = givenSchool(files);
    if (!school)
        return 1;
    const char *name = run == Run::ClassCsv ? "numbolo_write_class_csv"
        : run == Run::ClassPdf              ? "numbolo_write_class_pdf"
                                            : "numbolo_class_window";
    const QFunctionPointer found = moduleFunction(folders, QStringLiteral("numbolo_classroom"), name);
    if (found == nullptr) {
        tellOnStandardError(
            QCoreApplication::translate("Numbolo", "δεν βρέθηκε η μονάδα numbolo_classroom, που διαβάζει την τάξη."));
        return 1;
    }
    QString error;
    bool done = false;
    if (run == Run::ClassWindow) {
        const int status = reinterpret_cast<int (*)(const QString &, QString *)>(found)(school->database, &error);
        done = status == 0;
    } else if (run == Run::ClassPdf) {
        done = reinterpret_cast<bool (*)(const QString &, const QString &, QString *)>(found)(school->database, file, &error);
    } else {
        QFile out;
        done = out.open(stdout, QIODevice::WriteOnly)
            && reinterpret_cast<bool (*)(const QString &, QIODevice &, QString *)>(found)(school->database, out, &error);
        if (!done && error.isEmpty())
            error = out.errorString();
    }
    if (!done)
        tellOnStandardError(error);
    return done ? 0 : 1;
}

} // namespace numbolo
