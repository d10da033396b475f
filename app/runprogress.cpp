#include "app/runprogress.h"

#include "desktop/endrequests.h"
#include "desktop/modules.h"
#include "services/services.h"
#include "services/programname.h"

#include <QCoreApplication>

#include <cstdio>

namespace numbolo {

int runProgress(Run run, const QStringList &folders, const PlayerFiles &files, const QString &file)
{
    const bool csv = run == Run::ProgressCsv || run == Run::ProgressTargetsCsv, pdf = run == Run::ProgressPdf;
    const char *name = run == Run::ProgressCsv   ? "numbolo_progress_csv"
        : run == Run::ProgressTargetsCsv         ? "numbolo_progress_targets_csv"
        : pdf                                    ? "numbolo_progress_pdf"
                                                 : "numbolo_progress_window";
    QFunctionPointer found = moduleFunction(folders, QStringLiteral("numbolo_progress"), name);
    if (found == nullptr) {
        tellOnStandardError(QStringLiteral("δεν βρέθηκε η μονάδα numbolo_progress, που δείχνει την πρόοδο."));
        return 1;
    }
    if (pdf)
        return reinterpret_cast<int (*)(const PlayerFiles &, const QString &)>(found)(files, file);
    if (csv)
        return reinterpret_cast<int (*)(const PlayerFiles &)>(found)(files);
    // The window ends as its close button ends it on a termination signal or the session's end:
    // it saves each setting as it is changed, so there is nothing left to save.
    EndRequests requests;
    QObject::connect(&requests, &EndRequests::endRequested, &requests, [] { QCoreApplication::exit(0); });
    return reinterpret_cast<int (*)(const PlayerFiles &)>(found)(files);
}

} // namespace numbolo
