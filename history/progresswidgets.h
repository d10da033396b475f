#pragma once
// The tables and chart views the progress window is made of, all made alike: read-only tables
// of whole rows that Tab leaves, and charts that take the keyboard so that a screen reader
// reaches their description.

#include <QStringList>

class QChart;
class QChartView;
class QTableWidget;
class QWidget;

namespace numbolo {

QTableWidget *makeTable(const QString &objectName, const QString &accessibleName, const QStringList &headers,
                        QWidget *parent);
// Fills row `row` with `cells`: the first to the left, the others to the right.
void setRow(QTableWidget *table, int row, const QStringList &cells);
// Appends a row.
void addRow(QTableWidget *table, const QStringList &cells);
QChartView *makeChartView(QChart *chart, const QString &objectName, const QString &name,
                          const QString &description, QWidget *parent);

} // namespace numbolo
