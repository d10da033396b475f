#pragma once
// The real history recorder. Qt SQL and SQLite live in the module numbolo_history, loaded at the
// first record, so the history costs start-up nothing. Without the module nothing is recorded.

#include "services/services.h"

#include <functional>
#include <memory>

namespace numbolo {

class ModuleHistoryRecorder : public HistoryRecorder {
public:
    // Finds the function `symbol` of the module `name`, loading the module; null without it.
    using FindFunction = std::function<QFunctionPointer(const QString &name, const char *symbol)>;

    // The module is looked for through `find` at the first record, not at start-up; it keeps
    // the history where `files` says.
    ModuleHistoryRecorder(FindFunction find, const PlayerFiles &files);
    ~ModuleHistoryRecorder() override;
    void gameStarted(const GameFacts &game) override;
    void exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise) override;
    void gameEnded(const GameFacts &game, GameEnd end, int percentage) override;

private:
    HistoryRecorder *recorder();
    FindFunction m_find;
    const PlayerFiles &m_files;
    bool m_looked = false;
    std::unique_ptr<HistoryRecorder> m_recorder;
};

} // namespace numbolo
