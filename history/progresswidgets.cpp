#include "history/progresswidgets.h"

#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QTableWidget>

namespace numbolo {

QTableWidget *makeTable(const QString &objectName, const QString &accessibleName, const QStringList &headers,
                        QWidget *parent)
{
    auto *table = new QTableWidget(0, int(headers.size()), parent);
    table->setObjectName(objectName);
    table->setAccessibleName(accessibleName);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false); // Tab moves on to the next control
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void setRow(QTableWidget *table, int row, const QStringList &cells)
{
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells[column]);
        item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, column, item);
    }
}

void addRow(QTableWidget *table, const QStringList &cells)
{
    const int row = table->rowCount();
    table->insertRow(row);
    setRow(table, row, cells);
}

QChartView *makeChartView(QChart *chart, const QString &objectName, const QString &name,
                          const QString &description, QWidget *parent)
{
    chart->setAnimationOptions(QChart::NoAnimation); // nothing moves, nothing costs CPU
    auto *view = new QChartView(chart, parent);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    view->setAccessibleName(name);
    view->setAccessibleDescription(description);
    view->setFocusPolicy(Qt::StrongFocus); // a screen reader reaches the description from the keyboard
    view->setMinimumHeight(220);
    return view;
}

} // namespace numbolo
