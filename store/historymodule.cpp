// The entry point of the history module, which ModuleHistoryRecorder loads at the first record.

#include "store/historystore.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT numbolo::HistoryRecorder *numbolo_create_history_recorder(const QString &historyPath,
                                                                                  const QString &pendingPath)
{
    return new numbolo::HistoryStore(historyPath, pendingPath);
}
