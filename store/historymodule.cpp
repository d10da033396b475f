// The entry point of the history module, which ModuleHistoryRecorder loads at the first record.

#include "store/historystore.h"

#include <QtGlobal>

// A store of the history at `historyPath`, keeping what it cannot write yet at `pendingPath`;
// `lost` hears of records it could keep nowhere as it ends.
extern "C" Q_DECL_EXPORT numbolo::HistoryRecorder *
numbolo_create_history_recorder(const QString &historyPath, const QString &pendingPath,
                                const std::function<void(std::size_t records, const QString &why)> &lost)
{
    auto *store = new numbolo::HistoryStore(historyPath, pendingPath);
    store->lost = lost;
    return store;
}
