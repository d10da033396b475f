#include "progress/progresswidgets.h"

#include "progress/progresstext.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>

namespace numbolo {

namespace {

// The pages of a tab widget, to assistive technology a layered pane: a role a screen reader
// names ("παράθυρο με στρώσεις") each time the focus comes into a page from elsewhere, though
// it tells nothing the tab does not. As a plain container it is passed over in silence.
QAccessibleInterface *quietPages(const QString &className, QObject *object)
{
    if (className == QLatin1String("QStackedWidget") && qobject_cast<QTabWidget *>(object->parent()) != nullptr)
        return new QAccessibleWidget(static_cast<QStackedWidget *>(object), QAccessible::Client);
    return nullptr;
}

} // namespace

void quietTabPages()
{
    static const bool installed = [] {
        QAccessible::installFactory(quietPages);
        return true;
    }();
    Q_UNUSED(installed);
}

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

void setRow(QTableWidget *table, int row, const QStringList &cells, const QStringList &heard)
{
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells[column]);
        item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        // The cell alone: a screen reader says the column's name with it already.
        item->setData(Qt::AccessibleTextRole, column < heard.size() && !heard[column].isEmpty() ? heard[column]
                                                                                             : readAloud(cells[column]));
        table->setItem(row, column, item);
    }
}

QString spokenRow(const QTableWidget *table, int row)
{
    // Each cell after its column's name; the empty ones left out.
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem *item = table->item(row, column);
        const QString cell = item != nullptr ? item->data(Qt::AccessibleTextRole).toString() : QString();
        if (cell.isEmpty())
            continue;
        const QTableWidgetItem *header = table->horizontalHeaderItem(column);
        // "Αποτέλεσμα %" names the column by its unit, which its cells say already.
        const QString name = header != nullptr ? readAloud(QString(header->text()).remove(QLatin1Char('%'))) : QString();
        cells << (name.isEmpty() ? cell : name + QLatin1Char(' ') + cell);
    }
    return cells.join(QStringLiteral(", "));
}

void addRow(QTableWidget *table, const QStringList &cells, const QStringList &heard)
{
    const int row = table->rowCount();
    table->insertRow(row);
    setRow(table, row, cells, heard);
}

QWidget *scrolled(QWidget *page)
{
    auto *area = new QScrollArea(page->parentWidget());
    area->setObjectName(page->objectName() + QStringLiteral("Scroll"));
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    // Tab goes to the page's own controls, and the area scrolls to each: a stop of its own
    // would be a silent one for a screen reader.
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidget(page);
    return area;
}

QValueAxis *percentAxis(const QString &title)
{
    auto *axis = new QValueAxis;
    axis->setRange(0, 100);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setTitleText(title);
    return axis;
}

QChartView *makeChartView(QChart *chart, const QString &objectName, const QString &name,
                          const QString &description, QWidget *parent)
{
    chart->setAnimationOptions(QChart::NoAnimation); // nothing moves, nothing costs CPU
    auto *view = new QChartView(chart, parent);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    view->setAccessibleName(readAloud(name));
    view->setAccessibleDescription(readAloud(description));
    view->setFocusPolicy(Qt::StrongFocus); // a screen reader reaches the description from the keyboard
    view->setMinimumHeight(220);
    return view;
}

} // namespace numbolo
