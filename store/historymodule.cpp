// The entry point of the history module, which ModuleHistoryRecorder loads at the first record.

#include "store/historystore.h"
#include "store/rememberedways.h"
#include "store/waykeeper.h"

#include <QtGlobal>

#include <memory>

// A store of the history at `historyPath`, keeping what it cannot write yet at `pendingPath`;
// `lost` hears of records it could keep nowhere as it ends. The ways of each exercise's targets
// are remembered beside the history, for the report.
extern "C" Q_DECL_EXPORT numbolo::HistoryRecorder *
numbolo_create_history_recorder(const QString &historyPath, const QString &pendingPath,
                                const std::function<void(std::size_t records, const QString &why)> &lost)
{
    auto store = std::make_unique<numbolo::HistoryStore>(historyPath, pendingPath);
    store->lost = lost;
    return new numbolo::RecorderKeepingWays(std::move(store), numbolo::RememberedWays::besideHistory(historyPath));
}
