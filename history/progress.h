#pragma once
// The progress window for parents and teachers, "Πρόοδος": the games played, newest first, the
// exercises of the chosen game, and two charts (the result of each finished game over time and
// the exercises solved per day). Opened only by `Numbolo --progress`, from the progress module.

#include "history/historystore.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace numbolo {

class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    // Shows `games` (newest first); `error` where the history could not be read, and when the
    // play that is `unrecorded` took place.
    ProgressWindow(const QString &historyPath, std::vector<GameRow> games, const QString &error = {},
                   const Unrecorded &unrecorded = {}, QWidget *parent = nullptr);

    // Writes the history as CSV to `file`, starting with a UTF-8 byte-order mark, by which
    // spreadsheet programs tell UTF-8 from their own code page. False with a Greek `error` where
    // it cannot.
    bool saveCsv(const QString &file, QString *error) const;

    QLabel *summary;
    QTabWidget *tabs = nullptr;
    QTableWidget *gamesTable = nullptr;
    QTableWidget *exercisesTable = nullptr;
    QWidget *resultChart = nullptr;
    QWidget *solvedChart = nullptr;
    QPushButton *saveButton;
    QPushButton *closeButton;

private:
    void showGame(int row);
    void askAndSaveCsv();
    QWidget *makeResultChart();
    QWidget *makeSolvedChart();

    QString m_path;
    std::vector<GameRow> m_games;
};

// When the play that is `unrecorded` took place: "στις <date and time>", or "από <first> έως
// <last>".
QString unrecordedWhen(const Unrecorded &unrecorded);

} // namespace numbolo
