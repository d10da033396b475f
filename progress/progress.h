#pragma once
// The progress window for parents and teachers, "Πρόοδος": totals and the next step on top, then
// tabs: the games played, newest first, with the exercises of the chosen game and the targets of
// the chosen exercise; two charts (the result of each finished game over time and the exercises
// solved per day); the figures per skill and per target range over time; the practice calendar.
// Opened only by `Numbolo --progress`, from the progress module.

#include "store/historysource.h"
#include "store/pendingfile.h"
#include "progress/report.h"
#include "progress/reportreading.h"
#include "progress/reportview.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace numbolo {

class ParentSettingsView;
class PlayerFiles;

class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    // Shows `history`, which it reads from as it opens and as it is used: why it cannot be read
    // where it cannot; when the play that is `unrecorded` took place; the run of days up to
    // the day `today` gives each time it is asked, as a tab of the figures is first opened or
    // the document printed, so that a window left open past midnight counts the new day. The
    // games list shows the newest page of games, and reads the next pages as it is scrolled to
    // its end; the figures of the report are read when one of their tabs is first opened (or the
    // document printed), not before the window shows.
    using Today = std::function<QDate()>;
    ProgressWindow(HistorySource &history, const Unrecorded &unrecorded, Today today, QWidget *parent = nullptr);
    // The same with a fixed `today`; an invalid one (the default) is the clock's day.
    explicit ProgressWindow(HistorySource &history, const Unrecorded &unrecorded = {}, const QDate &today = {},
                            QWidget *parent = nullptr);

    // Writes the history as CSV to `file`, starting with a UTF-8 byte-order mark, by which
    // spreadsheet programs tell UTF-8 from their own code page. False with a Greek `error` where
    // it cannot.
    bool saveCsv(const QString &file, QString *error) const;
    // Saves as saveCsv() does and says where, under the buttons and to a screen reader; a
    // message where it cannot.
    bool saveCsvAndTell(const QString &file);
    // The document "Εκτύπωση…" prints, as HTML, with the figures it reads where not yet read.
    QString documentHtml();
    // Adds the settings a parent gives the child, kept in the settings file of `location`: a tab
    // of their own, or below the summary where the history shows no tabs.
    void addSettings(const PlayerFiles &location);
    // Says below the summary, and to a screen reader, how many records wait to be sent to the
    // school's database, and since when; nothing where none wait.
    void tellClassQueue(int records, const QDateTime &since);

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
    void makeSummary();
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

    HistorySource &m_history;
    Opening m_opening; // the games grow as the list is scrolled
    Unrecorded m_unrecorded;
    Today m_today;
    // The recent figures, for the next step, until the whole ones are read.
    Report m_report;
    bool m_figuresRead = false;
    std::vector<QWidget *> m_figuresPages; // the tabs of the report's figures, filled when first opened
    bool m_figuresShown = false;
    QString m_figuresError;
};

} // namespace numbolo
