#pragma once
// The real history recorder. Qt SQL and SQLite live in the module numbolo_history, loaded at the
// first record, so the history costs start-up nothing. Without the module nothing is recorded.

#include "services/services.h"

#include <functional>
#include <memory>

namespace numbolo {

// $XDG_DATA_HOME/<app>/history.sqlite (Qt's per-user data folder elsewhere), <app> being the
// executable's base name, as for the settings.
QString defaultHistoryPath();

class ModuleHistoryRecorder : public HistoryRecorder {
public:
    // Finds the function `symbol` of the module `name`, loading the module; null without it.
    using FindFunction = std::function<QFunctionPointer(const QString &name, const char *symbol)>;

    // The module is looked for through `find` at the first record, not at start-up.
    explicit ModuleHistoryRecorder(FindFunction find);
    ~ModuleHistoryRecorder() override;
    void gameStarted(const GameFacts &game) override;
    void exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise) override;
    void gameEnded(const GameFacts &game, GameEnd end, int percentage) override;

private:
    HistoryRecorder *recorder();
    FindFunction m_find;
    bool m_looked = false;
    std::unique_ptr<HistoryRecorder> m_recorder;
};

} // namespace numbolo
