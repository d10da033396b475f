#pragma once
// The progress window for parents and teachers, "Πρόοδος": totals and the next step on top, then
// tabs: the games played, newest first, with the exercises of the chosen game and the targets of
// the chosen exercise; two charts (the result of each finished game over time and the exercises
// solved per day); the figures per skill and per target range over time; the practice calendar.
// Opened only by `Numbolo --progress`, from the progress module.

#include "store/pendingfile.h"
#include "progress/report.h"
#include "progress/reportview.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace numbolo {

class ParentSettingsView;
class PlayerFiles;

// What the window shows beyond the games: the report's figures, the reader of an exercise's
// targets (none: the targets are not shown) and the day the calendar counts its run to.
struct ProgressReport {
    Report report;
    DetailReader detail;
    QDate today = QDate::currentDate();
    // For a history of years: where `totals` is set, the window's `games` are only the newest
    // page of the list, `moreGames` reads the next pages as the list is scrolled to its end, and
    // the charts show `results` and `solvedPerDay`. Otherwise all of these come from `games`.
    std::optional<HistorySummary> totals;
    std::function<bool(int first, int count, std::vector<GameRow> *games, QString *error)> moreGames;
    std::vector<GameResult> results;
    std::vector<DaySolved> solvedPerDay;
    // For a history of years: where `figures` is set, `report` holds only what the next step
    // needs, and the whole report is read by `figures` when first wanted (a tab of its figures
    // opened, the document printed), not before the window shows.
    std::function<bool(Report *report, QString *error)> figures;
    // The newest exercises with a missed target, for the document; none where unset.
    std::function<bool(std::vector<MissedExercise> *missed, QString *error)> missed;
};

class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    // Shows `games` (newest first); `error` where the history could not be read, and when the
    // play that is `unrecorded` took place.
    ProgressWindow(const QString &historyPath, std::vector<GameRow> games, const QString &error = {},
                   const Unrecorded &unrecorded = {}, ProgressReport report = {}, QWidget *parent = nullptr);

    // Writes the history as CSV to `file`, starting with a UTF-8 byte-order mark, by which
    // spreadsheet programs tell UTF-8 from their own code page. False with a Greek `error` where
    // it cannot.
    bool saveCsv(const QString &file, QString *error) const;
    // Saves as saveCsv() does and says where, under the buttons and to a screen reader; a
    // message where it cannot.
    bool saveCsvAndTell(const QString &file);
    // The document "Εκτύπωση…" prints, as HTML, with the figures it reads where not yet read.
    QString documentHtml();
    // Exercises with missed targets the document lists, the newest first: what a page or so holds.
    static int documentMissed();
    // Adds the settings a parent gives the child, kept in the settings file of `location`: a tab
    // of their own, or below the summary where the history shows no tabs.
    void addSettings(const PlayerFiles &location);

    // The latest days the chart of exercises solved per day shows.
    static int solvedChartDays();
    // The latest finished games the chart of results shows.
    static int resultChartGames();
    // Games read at a time into the list of a long history.
    static int gamesPage();

    QLabel *summary;
    QLabel *nextStepLabel = nullptr;
    QTabWidget *tabs = nullptr;
    QTableWidget *gamesTable = nullptr;
    QTableWidget *exercisesTable = nullptr;
    TargetsView *targetsView = nullptr;
    QWidget *resultChart = nullptr;
    QWidget *solvedChart = nullptr;
    ParentSettingsView *settingsView = nullptr;
    QPushButton *saveButton;
    QPushButton *printButton;
    QPushButton *closeButton;
    QLabel *savedLabel = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void describeGames();
    void makeSummary(const QString &error, const Unrecorded &unrecorded);
    QWidget *makeGamesTab();
    QWidget *makeChartsTab();
    QWidget *makeFiguresPage();
    bool readFigures();
    void showFigures();
    void makeButtons(bool any);
    void showGames(int from);
    void readMoreGames();
    void showGame(int row);
    void showExercise(int row);
    void askAndSaveCsv();
    void askAndPrint();
    QWidget *makeResultChart();
    QWidget *makeSolvedChart();

    QString m_path;
    std::vector<GameRow> m_games;
    ProgressReport m_report;
    std::vector<QWidget *> m_figuresPages; // the tabs of the report's figures, filled when first opened
    bool m_figuresShown = false;
    QString m_figuresError;
};

// When the play that is `unrecorded` took place: "στις <date and time>", or "από <first> έως
// <last>".
QString unrecordedWhen(const Unrecorded &unrecorded);

} // namespace numbolo
