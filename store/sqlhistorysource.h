#pragma once
// The history as the progress report reads it, from the store's SQLite database.

#include "store/historysource.h"

namespace numbolo {

// Reads the history at `path` by SQL, aggregated by SQLite. Each call opens a connection of its
// own, which reads the file as it is then: the game may be writing it meanwhile, or have put a
// damaged one aside and started another.
class SqlHistorySource : public HistorySource {
public:
    explicit SqlHistorySource(QString path);

    bool readable(ReadError *error) override;
    bool summary(HistorySummary *summary, ReadError *error) override;
    bool games(int first, int count, std::vector<GameRow> *games, ReadError *error) override;
    bool everyGame(std::vector<GameRow> *games, ReadError *error) override;
    bool results(int latest, std::vector<GameResult> *results, ReadError *error) override;
    bool solvedPerDay(int days, std::vector<DaySolved> *perDay, ReadError *error) override;
    bool figures(Report *report, ReadError *error) override;
    bool recentFigures(Report *report, ReadError *error) override;
    bool exercise(qint64 game, int number, ExerciseDetail *detail, ReadError *error) override;
    bool missed(int count, std::vector<MissedExercise> *missed, ReadError *error) override;
    bool recordedExercises(qint64 afterGame, int games, std::vector<RecordedExercise> *page, qint64 *lastGame,
                           ReadError *error, bool keysOnly = false) override;

private:
    QString m_path;
};

} // namespace numbolo
