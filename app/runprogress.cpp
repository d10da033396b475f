#include "app/runprogress.h"

#include "desktop/modules.h"
#include "history/modulehistoryrecorder.h"

#include <cstdio>

namespace numbolo {

int runProgress(Run run)
{
    const bool csv = run == Run::ProgressCsv;
    using Entry = int (*)(const QString &historyPath);
    const auto entry = reinterpret_cast<Entry>(moduleFunction(moduleFolders(), QStringLiteral("numbolo_progress"),
                                                              csv ? "numbolo_progress_csv" : "numbolo_progress_window"));
    if (entry == nullptr) {
        std::fputs("Numbolo: δεν βρέθηκε η μονάδα numbolo_progress, που δείχνει την πρόοδο.\n", stderr);
        return 1;
    }
    return entry(defaultHistoryPath());
}

} // namespace numbolo
