#pragma once
// The tables and chart views the progress window is made of, all made alike: read-only tables
// of whole rows that Tab leaves, and charts that take the keyboard so that a screen reader
// reaches their description.

#include <QStringList>

class QChart;
class QChartView;
class QTableWidget;
class QValueAxis;
class QWidget;

namespace numbolo {

// Tab widgets' pages are read as a plain container, whose role a screen reader does not name.
void quietTabPages();

QTableWidget *makeTable(const QString &objectName, const QString &accessibleName, const QStringList &headers,
                        QWidget *parent);
// Fills row `row` with `cells`: the first to the left, the others to the right. A screen reader
// gets each cell in words ("5 λεπτά και 3 δευτερόλεπτα"), as `heard` has it where it has a
// cell's text (a way, whose symbols readAloud() leaves), else as readAloud() says it; the column's
// name it says itself.
void setRow(QTableWidget *table, int row, const QStringList &cells, const QStringList &heard = {});
// Row `row` as a sentence: each cell that is not empty after its column's name, in words.
QString spokenRow(const QTableWidget *table, int row);
// Appends a row.
void addRow(QTableWidget *table, const QStringList &cells, const QStringList &heard = {});
// `page` in a scroll area of its own, so that the window can be smaller than the page (a small
// screen, a large scale) and all of it is still reached.
QWidget *scrolled(QWidget *page);
// The vertical axis of a chart of percentages, 0 to 100 in whole numbers, titled `title`.
QValueAxis *percentAxis(const QString &title);
QChartView *makeChartView(QChart *chart, const QString &objectName, const QString &name,
                          const QString &description, QWidget *parent);

} // namespace numbolo
