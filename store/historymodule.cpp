// The entry point of the history module, which ModuleHistoryRecorder loads at the first record.

#include "store/historystore.h"
#include "services/programname.h"

#include <QDir>
#include <QtGlobal>

extern "C" Q_DECL_EXPORT numbolo::HistoryRecorder *numbolo_create_history_recorder(const QString &historyPath,
                                                                                  const QString &pendingPath)
{
    auto *store = new numbolo::HistoryStore(historyPath, pendingPath);
    // Nowhere left to keep them: said where whoever started the game can read it.
    store->lost = [historyPath](std::size_t records, const QString &why) {
        numbolo::tellOnStandardError(QStringLiteral("%1 εγγραφές παιχνιδιού δεν γράφτηκαν στο ιστορικό %2 και χάθηκαν: %3")
                                         .arg(records)
                                         .arg(QDir::toNativeSeparators(historyPath), why));
    };
    return store;
}
