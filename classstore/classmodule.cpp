// The entry point of the class store's module, which the game loads at its first record where a
// [School] group names the school's database.

#include "classstore/classrecorder.h"

#include <QtGlobal>

// A recorder that queues every record for the school's database `database` (a libpq connection
// string) under the class `className` and the profile `profile`, and sends the queue, with the
// earlier history at `historyPath`, from a thread of its own.
extern "C" Q_DECL_EXPORT numbolo::HistoryRecorder *numbolo_create_class_recorder(const QString &database,
                                                                               const QString &className,
                                                                               const QString &profile,
                                                                               const QString &historyPath)
{
    return new numbolo::ClassRecorder({database, className, profile, historyPath});
}
