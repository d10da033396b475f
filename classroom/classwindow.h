#pragma once
// The teacher's class window, "Η τάξη", that `Numbolo --class` opens: a row per pupil, a chart of
// the class's share solved by operator pair and by target range, and the targets the class
// missed most in the last weeks with one way to make each. A pupil's row opens that pupil's
// report; the missed targets print as a worksheet.

#include "classroom/classfigures.h"
#include "progress/targetways.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;

namespace numbolo {

class ClassWindow : public QWidget {
    Q_OBJECT
public:
    using OpenReport = std::function<void(const PupilRow &pupil)>;
    using Print = std::function<void(const QString &html)>;

    // Shows `figures`; `open` is given the pupil of the row chosen (Enter, a double click or
    // "Αναφορά μαθητή"), `print` the worksheet's HTML.
    ClassWindow(ClassFigures figures, OpenReport open, Print print, QWidget *parent = nullptr);

    QLabel *summary;
    QTableWidget *pupilsTable;
    QWidget *classChart = nullptr; // none where nothing was played
    QTableWidget *missedTable;
    QPushButton *reportButton;
    QPushButton *worksheetButton;
    QPushButton *closeButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *makeChart();
    void openChosen();

    ClassFigures m_figures;
    OpenReport m_open;
    Print m_print;
    Ways m_ways;
};

} // namespace numbolo
