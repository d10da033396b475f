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
// gets each cell with its column's name and in words ("Χρόνος παιχνιδιού: 5 λεπτά 3
// δευτερόλεπτα"), as a row is read without its headers.
void setRow(QTableWidget *table, int row, const QStringList &cells);
// Row `row` as a screen reader gets it: its cells' spoken texts in order.
QString spokenRow(const QTableWidget *table, int row);
// Appends a row.
void addRow(QTableWidget *table, const QStringList &cells);
// `page` in a scroll area of its own, so that the window can be smaller than the page (a small
// screen, a large scale) and all of it is still reached.
QWidget *scrolled(QWidget *page);
// The vertical axis of a chart of percentages, 0 to 100 in whole numbers, titled `title`.
QValueAxis *percentAxis(const QString &title);
QChartView *makeChartView(QChart *chart, const QString &objectName, const QString &name,
                          const QString &description, QWidget *parent);

} // namespace numbolo
