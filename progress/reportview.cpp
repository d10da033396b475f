#include "progress/reportview.h"

#include "progress/progresstext.h"
#include "progress/progresswidgets.h"
#include "speech/speech.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QLabel>
#include <QLegend>
#include <QSplitter>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <set>

namespace numbolo {

namespace {

// Months shown in a group's chart: the latest with play. The table under it has every month.
constexpr int ChartMonths = 12;

QLabel *makeText(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setAccessibleName(readAloud(text));
    label->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    label->setFocusPolicy(Qt::StrongFocus); // read in its place as Tab passes
    return label;
}

QString secondsText(int seconds)
{
    return seconds < 60 ? QCoreApplication::translate("Report", "%1 δ.").arg(seconds) : durationText(seconds);
}

} // namespace

TargetsView::TargetsView(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    about = makeText(QStringLiteral("exerciseAbout"), QString(), this);
    table = makeTable(QStringLiteral("targets"), QCoreApplication::translate("Report", "Στόχοι της άσκησης"),
                      {QCoreApplication::translate("Report", "Στόχος"), QCoreApplication::translate("Report", "Βρέθηκε"), QCoreApplication::translate("Report", "Μετά από"),
                       QCoreApplication::translate("Report", "Με την τιμή"), QCoreApplication::translate("Report", "Ένας τρόπος")},
                      this);
    layout->addWidget(about);
    layout->addWidget(table, 1);
    clear();
}

void TargetsView::clear()
{
    about->clear();
    about->setAccessibleName(QString());
    table->setRowCount(0);
}

void TargetsView::showError(const QString &error)
{
    clear();
    about->setText(error);
    about->setAccessibleName(readAloud(error));
}

void TargetsView::showDetail(const ExerciseDetail &detail)
{
    clear();
    const QString line = exerciseLine(detail);
    about->setText(line);
    about->setAccessibleName(readAloud(line));
    if (!detail.recorded)
        return;
    table->setAccessibleName(QCoreApplication::translate("Report", "Στόχοι της άσκησης %1").arg(detail.row.number));
    // The value and the way as the game reads the display: "55 διά 4", not "55 κάθετος 4".
    for (const TargetLine &t : detail.targets)
        addRow(table, {QString::number(t.target), t.hit ? QCoreApplication::translate("Report", "ναι") : QCoreApplication::translate("Report", "όχι"),
                       t.seconds ? secondsText(*t.seconds) : QString(), t.value, wayText(t)},
               {speech().number(QString::number(t.target)), QString(), QString(), speech().expression(t.value),
                t.way.isEmpty() || t.hit ? QString() : speech().expression(t.way)});
}

QString wayText(const TargetLine &target)
{
    return target.hit ? QString() : target.way.isEmpty() ? QCoreApplication::translate("Report", "δεν βρέθηκε σύντομος τρόπος") : target.way;
}

QString exerciseLine(const ExerciseDetail &detail)
{
    const ExerciseRow &row = detail.row;
    QString line = QCoreApplication::translate("Report", "Άσκηση %1: %2 σε %3").arg(row.number).arg(exerciseEndText(row.end),
                                                                            secondsText(row.seconds));
    if (!detail.recorded)
        return line + QCoreApplication::translate("Report", " Οι στόχοι της δεν καταγράφηκαν: παίχτηκε πριν το ιστορικό κρατά στόχους.");
    int hit = 0;
    for (const TargetLine &t : detail.targets)
        hit += t.hit ? 1 : 0;
    line += QCoreApplication::translate("Report", " Πλήκτρα: %1. Βρέθηκαν %2 από %3 στόχους.").arg(detail.keys).arg(hit).arg(detail.targets.size());
    if (detail.presses.empty())
        return line + QCoreApplication::translate("Report", " Δεν πατήθηκε «=».");
    QStringList presses;
    for (const EqualsFacts &p : detail.presses)
        presses << QStringLiteral("%1 (%2)").arg(p.value.isEmpty() ? QCoreApplication::translate("Report", "κενό") : p.value,
                                                 secondsText(p.seconds));
    return line + QCoreApplication::translate("Report", " Τιμές στο «=»: %1.").arg(presses.join(QStringLiteral(", ")));
}

std::vector<QStringList> groupRows(const std::vector<GroupFigures> &groups, const QDate &from)
{
    std::vector<QStringList> rows;
    for (const GroupFigures &group : groups) {
        rows.push_back({group.name, QCoreApplication::translate("Report", "όλοι οι μήνες"), solvedText(group.whole), shareText(group.whole),
                        medianText(group.whole)});
        for (auto month = group.byMonth.rbegin(); month != group.byMonth.rend() && month->first >= from; ++month)
            rows.push_back({group.name, monthText(month->first), solvedText(month->second), shareText(month->second),
                            medianText(month->second)});
    }
    return rows;
}

QWidget *makeGroupSection(const QString &objectName, const QString &title, const QString &groupHeader,
                          const std::vector<GroupFigures> &groups, const QString &empty, QWidget *parent,
                          const QString &note)
{
    if (groups.empty())
        return makeText(objectName + QStringLiteral("None"), empty, parent);
    auto *split = new QSplitter(Qt::Vertical, parent);
    split->setObjectName(objectName);

    std::set<QDate> allMonths;
    for (const GroupFigures &group : groups)
        for (const auto &month : group.byMonth)
            allMonths.insert(month.first);
    std::vector<QDate> months(allMonths.begin(), allMonths.end());
    if (months.size() > std::size_t(ChartMonths))
        months.erase(months.begin(), months.end() - ChartMonths);

    auto *series = new QBarSeries;
    QStringList spoken;
    for (const GroupFigures &group : groups) {
        auto *set = new QBarSet(group.name);
        for (const QDate &month : months) {
            const auto found = group.byMonth.find(month);
            const Figures f = found != group.byMonth.end() ? found->second : Figures{};
            *set << (f.played > 0 ? 100.0 * f.solved / f.played : 0.0);
        }
        series->append(set);
        spoken << QStringLiteral("%1, %2").arg(group.name, shareText(group.whole));
    }
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->addSeries(series);
    auto *x = new QBarCategoryAxis;
    for (const QDate &month : months)
        x->append(month.toString(QStringLiteral("MM/yyyy")));
    // A year of months has no width for each month written across: they are turned upright.
    if (months.size() > 6) {
        x->setLabelsAngle(-90);
        x->setTruncateLabels(false);
    }
    auto *y = percentAxis(QCoreApplication::translate("Report", "% λυμένες"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->setAlignment(Qt::AlignRight);
    split->addWidget(makeChartView(chart, objectName + QStringLiteral("Chart"), title,
                                   QCoreApplication::translate("Report", "Λυμένες στο σύνολο: %1. Ο πίνακας που ακολουθεί έχει τα ίδια "
                                                  "στοιχεία ανά μήνα.")
                                       .arg(spoken.join(QStringLiteral(". "))),
                                   split));

    auto *table = makeTable(objectName + QStringLiteral("Table"), title,
                            {groupHeader, QCoreApplication::translate("Report", "Περίοδος"), QCoreApplication::translate("Report", "Λυμένες"),
                             QCoreApplication::translate("Report", "Ποσοστό"), QCoreApplication::translate("Report", "Διάμεσος χρόνος λύσης")},
                            split);
    for (const QStringList &row : groupRows(groups))
        addRow(table, row);
    if (!note.isEmpty())
        split->addWidget(makeText(objectName + QStringLiteral("Note"), note, split));
    split->addWidget(table);
    return split;
}

QString runText(const std::vector<QDate> &daysPlayed, const QDate &today)
{
    const int run = currentRun(daysPlayed, today);
    const QString days = QCoreApplication::translate("Report", "Ημέρες με παιχνίδι: %1.").arg(daysPlayed.size());
    if (run == 0)
        return QCoreApplication::translate("Report", "Δεν υπάρχει παιχνίδι ούτε σήμερα ούτε χθες. %1").arg(days);
    return QCoreApplication::translate("Report", "Συνεχόμενες ημέρες παιχνιδιού ως %1: %2. %3")
        .arg(std::find(daysPlayed.begin(), daysPlayed.end(), today) == daysPlayed.end() ? QCoreApplication::translate("Report", "χθες")
                                                                                        : QCoreApplication::translate("Report", "σήμερα"))
        .arg(run)
        .arg(days);
}

std::vector<QStringList> calendarRows(const std::vector<QDate> &daysPlayed, const QDate &from)
{
    std::map<QDate, QStringList> months; // the first of each month: its days
    for (const QDate &day : daysPlayed)
        if (day >= from)
            months[QDate(day.year(), day.month(), 1)] << QString::number(day.day());
    std::vector<QStringList> rows;
    for (auto month = months.rbegin(); month != months.rend(); ++month)
        rows.push_back({monthText(month->first), QString::number(month->second.size()),
                        month->second.join(QStringLiteral(", "))});
    return rows;
}

QWidget *makeCalendarSection(const std::vector<QDate> &daysPlayed, const QDate &today, QWidget *parent)
{
    auto *section = new QWidget(parent);
    section->setObjectName(QStringLiteral("calendar"));
    auto *layout = new QVBoxLayout(section);
    layout->addWidget(makeText(QStringLiteral("run"), runText(daysPlayed, today), section));
    auto *table = makeTable(QStringLiteral("calendarTable"), QCoreApplication::translate("Report", "Ημέρες με παιχνίδι ανά μήνα"),
                            {QCoreApplication::translate("Report", "Μήνας"), QCoreApplication::translate("Report", "Ημέρες"), QCoreApplication::translate("Report", "Ποιες ημέρες")}, section);
    for (const QStringList &row : calendarRows(daysPlayed))
        addRow(table, row);
    layout->addWidget(table, 1);
    return section;
}

} // namespace numbolo
