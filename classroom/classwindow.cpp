#include "classroom/classwindow.h"

#include "classroom/classreport.h"
#include "progress/progresstext.h"
#include "progress/progresswidgets.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

namespace numbolo {

ClassWindow::ClassWindow(ClassFigures figures, OpenReport open, Print print, QWidget *parent)
    : QWidget(parent), m_figures(std::move(figures)), m_open(std::move(open)), m_print(std::move(print))
{
    setObjectName(QStringLiteral("classWindow"));
    setWindowTitle(QCoreApplication::translate("numbolo::ClassWindow", "Η τάξη"));
    setAccessibleName(QCoreApplication::translate("numbolo::ClassWindow", "Η τάξη"));
    auto *layout = new QVBoxLayout(this);

    const QString said = m_figures.pupils.empty()
        ? QCoreApplication::translate("numbolo::ClassWindow", "Η βάση του σχολείου δεν έχει ακόμη παιχνίδι των τάξεών σας.")
        : (m_figures.pupils.size() == 1 ? QCoreApplication::translate("numbolo::ClassWindow", "1 μαθητής.") : QCoreApplication::translate("numbolo::ClassWindow", "%1 μαθητές.").arg(m_figures.pupils.size())) + QLatin1Char(' ')
            + QCoreApplication::translate("numbolo::ClassWindow", "Enter σε μια γραμμή ανοίγει την αναφορά του μαθητή.");
    summary = new QLabel(said, this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setAccessibleName(said);
    summary->setWordWrap(true);
    layout->addWidget(summary);

    pupilsTable = makeTable(QStringLiteral("pupilsTable"), QCoreApplication::translate("numbolo::ClassWindow", "Μαθητές"), pupilHeaders(), this);
    // The keyboard starts on the table, past the summary, which a screen reader would not read.
    pupilsTable->setAccessibleDescription(said);
    for (const PupilRow &row : m_figures.pupils)
        addRow(pupilsTable, pupilCells(row));
    pupilsTable->setCurrentCell(0, 0);
    connect(pupilsTable, &QTableWidget::cellDoubleClicked, this, &ClassWindow::openChosen);
    layout->addWidget(pupilsTable, 2);

    if (!m_figures.groups.empty()) {
        classChart = makeChart();
        layout->addWidget(classChart, 2);
    }

    auto *missedLabel = new QLabel(QCoreApplication::translate("numbolo::ClassWindow", "Οι στόχοι που η τάξη έχασε πιο συχνά τις τελευταίες %1 εβδομάδες").arg(MissedWeeks), this);
    layout->addWidget(missedLabel);
    missedTable = makeTable(QStringLiteral("missedTable"), missedLabel->text(), worksheetHeaders(), this);
    for (const QStringList &row : worksheetRows(m_figures.missed, m_ways))
        addRow(missedTable, row, {QString(), QString(), QString(), row.last().isEmpty() ? QCoreApplication::translate("numbolo::ClassWindow", "κανένας τρόπος") : row.last()});
    layout->addWidget(missedTable, 1);

    auto *buttons = new QHBoxLayout;
    reportButton = new QPushButton(QCoreApplication::translate("numbolo::ClassWindow", "Αναφορά μαθητή"), this);
    reportButton->setObjectName(QStringLiteral("reportButton"));
    reportButton->setAccessibleName(QCoreApplication::translate("numbolo::ClassWindow", "Αναφορά μαθητή"));
    reportButton->setEnabled(!m_figures.pupils.empty());
    connect(reportButton, &QPushButton::clicked, this, &ClassWindow::openChosen);
    worksheetButton = new QPushButton(QCoreApplication::translate("numbolo::ClassWindow", "Εκτύπωση φύλλου ασκήσεων…"), this);
    worksheetButton->setObjectName(QStringLiteral("worksheetButton"));
    worksheetButton->setAccessibleName(QCoreApplication::translate("numbolo::ClassWindow", "Εκτύπωση φύλλου ασκήσεων"));
    worksheetButton->setEnabled(!m_figures.missed.empty());
    connect(worksheetButton, &QPushButton::clicked, this, [this] { m_print(worksheetHtml(m_figures.missed, m_ways)); });
    closeButton = new QPushButton(QCoreApplication::translate("numbolo::ClassWindow", "Κλείσιμο"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setAccessibleName(QCoreApplication::translate("numbolo::ClassWindow", "Κλείσιμο"));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(reportButton);
    buttons->addWidget(worksheetButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    pupilsTable->setFocus();
    resize(1000, 720);
}

QWidget *ClassWindow::makeChart()
{
    const QString title = QCoreApplication::translate("numbolo::ClassWindow", "Λυμένες ανά πράξη και ανά εύρος (%)");
    auto *set = new QBarSet(QCoreApplication::translate("numbolo::ClassWindow", "Λυμένες"));
    QStringList names, spoken;
    for (const ClassGroup &group : m_figures.groups) {
        const Figures figures{group.played, group.solved, {}};
        *set << (group.played > 0 ? 100.0 * group.solved / group.played : 0.0);
        names << groupName(group);
        spoken << QStringLiteral("%1, %2, %3").arg(groupName(group), shareText(figures), solvedText(figures));
    }
    auto *series = new QHorizontalBarSeries;
    series->append(set);
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->addSeries(series);
    auto *y = new QBarCategoryAxis;
    y->append(names);
    QValueAxis *x = percentAxis(QCoreApplication::translate("numbolo::ClassWindow", "Ποσοστό"));
    chart->addAxis(y, Qt::AlignLeft);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(y);
    series->attachAxis(x);
    chart->legend()->hide();
    // Said without the brackets and the percent sign, which the synthesiser would spell out.
    return makeChartView(chart, QStringLiteral("classChart"),
                         QCoreApplication::translate("numbolo::ClassWindow", "Ποσοστό λυμένων ανά πράξη και ανά εύρος"),
                         spoken.join(QStringLiteral(". ")), this);
}

void ClassWindow::openChosen()
{
    const int row = pupilsTable->currentRow();
    if (row >= 0 && row < int(m_figures.pupils.size()))
        m_open(m_figures.pupils[std::size_t(row)]);
}

void ClassWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        close();
    } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && pupilsTable->hasFocus()) {
        openChosen();
    } else {
        QWidget::keyPressEvent(event);
    }
}

} // namespace numbolo
