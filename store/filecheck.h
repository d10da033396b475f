#pragma once
// The check of a whole history file (PRAGMA quick_check) on a thread of its own: on a history of
// years it reads every page, most of a second on a local disk and seconds on a network home,
// which the game's thread does not wait for.

#include "store/historyschema.h"

#include <QString>

#include <chrono>
#include <future>

namespace numbolo {

class FileCheck {
public:
    // Starts checking the file at `path` in a connection of its own, which waits for another
    // writer for `busyMilliseconds`, as the store's own writes do.
    FileCheck(const QString &path, int busyMilliseconds);
    // Waits for the check to end, as it is destroyed.
    ~FileCheck() = default;

    // Whether the check ended: waited for while it waits for another writer, as a write would
    // be, then for `reading` at most while it reads the file.
    bool ended(std::chrono::milliseconds reading);
    // Once it ended, or waiting for its end: checkWhole's result.
    Setup result() { return m_result.get(); }

private:
    std::future<void> m_reading;
    std::future<Setup> m_result;
};

} // namespace numbolo
