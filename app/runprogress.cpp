#include "app/runprogress.h"

#include "desktop/endrequests.h"
#include "desktop/modules.h"
#include "services/services.h"
#include "services/programname.h"

#include <QCoreApplication>

#include <cstdio>

namespace numbolo {

namespace {

QFunctionPointer progressFunction(const QStringList &folders, const char *name)
{
    QFunctionPointer found = moduleFunction(folders, QStringLiteral("numbolo_progress"), name);
    if (found == nullptr)
        tellOnStandardError(QCoreApplication::translate("Numbolo", "δεν βρέθηκε η μονάδα numbolo_progress, που δείχνει την πρόοδο."));
    return found;
}

} // namespace

int runProgress(Run run, const QStringList &folders, const PlayerFiles &files, const QString &file)
{
    const char *name = run == Run::ProgressCsv ? "numbolo_progress_csv"
        : run == Run::ProgressTargetsCsv       ? "numbolo_progress_targets_csv"
                                               : "numbolo_progress_pdf";
    QFunctionPointer found = progressFunction(folders, name);
    if (found == nullptr)
        return 1;
    if (run == Run::ProgressPdf)
        return reinterpret_cast<int (*)(const PlayerFiles &, const QString &)>(found)(files, file);
    return reinterpret_cast<int (*)(const PlayerFiles &)>(found)(files);
}

int runProgressWindow(const QStringList &folders, const PlayerFiles &account, const QString &childId)
{
    QFunctionPointer found = progressFunction(folders, "numbolo_progress_window");
    if (found == nullptr)
        return 1;
    // The window ends as its close button ends it on a termination signal or the session's end:
    // it saves each setting as it is changed, so there is nothing left to save.
    EndRequests requests;
    QObject::connect(&requests, &EndRequests::endRequested, &requests, [] { QCoreApplication::exit(0); });
    return reinterpret_cast<int (*)(const PlayerFiles &, const QString &)>(found)(account, childId);
}

} // namespace numbolo
