#include "app/runprogress.h"

#include "desktop/endrequests.h"
#include "desktop/modules.h"
#include "history/modulehistoryrecorder.h"

#include <QCoreApplication>

#include <cstdio>

namespace numbolo {

int runProgress(Run run, const QStringList &folders)
{
    const bool csv = run == Run::ProgressCsv || run == Run::ProgressTargetsCsv;
    using Entry = int (*)(const QString &historyPath);
    const char *name = run == Run::ProgressCsv ? "numbolo_progress_csv"
        : run == Run::ProgressTargetsCsv       ? "numbolo_progress_targets_csv"
                                               : "numbolo_progress_window";
    const auto entry = reinterpret_cast<Entry>(moduleFunction(folders, QStringLiteral("numbolo_progress"), name));
    if (entry == nullptr) {
        std::fputs("Numbolo: δεν βρέθηκε η μονάδα numbolo_progress, που δείχνει την πρόοδο.\n", stderr);
        return 1;
    }
    if (csv)
        return entry(defaultHistoryPath());
    // The window ends as its close button ends it on a termination signal or the session's end:
    // it only reads, so there is nothing to save.
    EndRequests requests;
    QObject::connect(&requests, &EndRequests::endRequested, &requests, [] { QCoreApplication::exit(0); });
    return entry(defaultHistoryPath());
}

} // namespace numbolo
