#include "history/progress.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <map>

namespace numbolo {

namespace {

// Days shown in the chart of exercises solved per day: the latest days with any exercise.
constexpr int SolvedChartDays = 30;

QString dateText(const QDateTime &when)
{
    return when.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

QString durationText(int seconds)
{
    return seconds >= 3600 ? QStringLiteral("%1 ώ. %2 λ.").arg(seconds / 3600).arg(seconds % 3600 / 60)
                           : QStringLiteral("%1 λ. %2 δ.").arg(seconds / 60).arg(seconds % 60);
}

QString rangeText(int range)
{
    return range < 0 ? QStringLiteral("%1 - 0").arg(range) : QStringLiteral("0 - %1").arg(range);
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

void setRow(QTableWidget *table, int row, const QStringList &cells)
{
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells[column]);
        item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, column, item);
    }
}

QChartView *makeView(QChart *chart, const QString &objectName, const QString &name, const QString &description,
                     QWidget *parent)
{
    chart->legend()->hide();
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

} // namespace

QString unrecordedWhen(const Unrecorded &unrecorded)
{
    const QString first = dateText(unrecorded.first), last = dateText(unrecorded.last);
    return first == last ? QStringLiteral("στις %1").arg(first) : QStringLiteral("από %1 έως %2").arg(first, last);
}

ProgressWindow::ProgressWindow(const QString &historyPath, std::vector<GameRow> games, const QString &error,
                               const Unrecorded &unrecorded, QWidget *parent)
    : QWidget(parent), m_path(historyPath), m_games(std::move(games))
{
    setObjectName(QStringLiteral("Progress"));
    setWindowTitle(QStringLiteral("Πρόοδος"));
    setAccessibleName(QStringLiteral("Πρόοδος"));
    auto *layout = new QVBoxLayout(this);

    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setWordWrap(true);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary);

    int exercises = 0, solved = 0, seconds = 0;
    for (const GameRow &game : m_games) {
        exercises += int(game.played.size());
        solved += game.solved();
        seconds += game.seconds();
    }
    if (!error.isEmpty()) {
        summary->setText(error);
    } else if (m_games.empty()) {
        summary->setText(QStringLiteral("Δεν υπάρχει ακόμη ιστορικό: δεν έχει παιχτεί κανένα παιχνίδι σε αυτόν τον "
                                        "υπολογιστή. Κάθε άσκηση που τελειώνει καταγράφεται εδώ."));
    } else {
        summary->setText(QStringLiteral("Παιχνίδια: %1. Ασκήσεις: %2, λυμένες: %3. Χρόνος παιχνιδιού: %4")
                             .arg(m_games.size()).arg(exercises).arg(solved).arg(durationText(seconds)));
    }
    if (unrecorded.records > 0) {
        // Play that the game could not write into the history (it was locked, read-only or of a
        // newer version) waits beside it, and is written at the next game.
        summary->setText(summary->text()
                         + QStringLiteral("\n\nΤο παιχνίδι %1 δεν έχει καταγραφεί ακόμη στο ιστορικό, γιατί το "
                                          "ιστορικό δεν μπορούσε να γραφτεί τότε. Θα καταγραφεί στο επόμενο "
                                          "παιχνίδι, αν το ιστορικό μπορεί πλέον να γραφτεί.")
                               .arg(unrecordedWhen(unrecorded)));
    }
    summary->setAccessibleName(summary->text());

    if (error.isEmpty() && !m_games.empty()) {
        tabs = new QTabWidget(this);
        tabs->setObjectName(QStringLiteral("tabs"));
        tabs->setAccessibleName(QStringLiteral("Ενότητες"));
        tabs->setUsesScrollButtons(false);

        auto *split = new QSplitter(Qt::Vertical, tabs);
        gamesTable = makeTable(QStringLiteral("games"), QStringLiteral("Παιχνίδια, το νεότερο πρώτο"),
                               {QStringLiteral("Ημερομηνία"), QStringLiteral("Ασκήσεις"), QStringLiteral("Λυμένες"),
                                QStringLiteral("Αποτέλεσμα %"), QStringLiteral("Εύρος"),
                                QStringLiteral("Χρόνος παιχνιδιού")},
                               split);
        gamesTable->setRowCount(int(m_games.size()));
        for (int row = 0; row < int(m_games.size()); ++row) {
            const GameRow &game = m_games[std::size_t(row)];
            setRow(gamesTable, row,
                   {dateText(game.started),
                    QStringLiteral("%1 από %2").arg(game.played.size()).arg(game.exercises),
                    QString::number(game.solved()), resultText(game), rangeText(game.range),
                    durationText(game.seconds())});
        }
        exercisesTable = makeTable(QStringLiteral("exercises"), QStringLiteral("Ασκήσεις του παιχνιδιού"),
                                   {QStringLiteral("Άσκηση"), QStringLiteral("Επίπεδο"), QStringLiteral("Έκβαση"),
                                    QStringLiteral("Δευτερόλεπτα"), QStringLiteral("Στόχοι"),
                                    QStringLiteral("Πατήματα =")},
                                   split);
        split->addWidget(gamesTable);
        split->addWidget(exercisesTable);
        connect(gamesTable, &QTableWidget::currentCellChanged, this, [this](int row) { showGame(row); });
        gamesTable->setCurrentCell(0, 0);
        tabs->addTab(split, QStringLiteral("&Παιχνίδια"));

        auto *charts = new QWidget(tabs);
        auto *chartsLayout = new QVBoxLayout(charts);
        resultChart = makeResultChart();
        solvedChart = makeSolvedChart();
        chartsLayout->addWidget(resultChart);
        chartsLayout->addWidget(solvedChart);
        tabs->addTab(charts, QStringLiteral("&Διαγράμματα"));
        layout->addWidget(tabs, 1);
    } else {
        layout->addStretch(1);
    }

    auto *buttons = new QDialogButtonBox(this);
    saveButton = buttons->addButton(QStringLiteral("&Αποθήκευση CSV…"), QDialogButtonBox::ActionRole);
    saveButton->setObjectName(QStringLiteral("saveCsv"));
    saveButton->setToolTip(QStringLiteral("Αποθηκεύει όλες τις ασκήσεις σε αρχείο CSV για υπολογιστικό φύλλο"));
    saveButton->setEnabled(error.isEmpty() && !m_games.empty());
    closeButton = buttons->addButton(QStringLiteral("&Κλείσιμο"), QDialogButtonBox::RejectRole);
    closeButton->setObjectName(QStringLiteral("close"));
    connect(saveButton, &QPushButton::clicked, this, &ProgressWindow::askAndSaveCsv);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(buttons);

    // The table takes the keyboard first: arrows choose a game, Ctrl+Tab shows the charts. A
    // screen reader speaks the totals with it; without a table the message itself takes the
    // focus, so that it is spoken when the window opens.
    if (gamesTable != nullptr) {
        gamesTable->setAccessibleDescription(summary->text());
        gamesTable->setFocus();
    } else {
        summary->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        summary->setFocusPolicy(Qt::StrongFocus);
        summary->setFocus();
    }
    const QSize wanted = m_games.empty() ? QSize(520, 200) : QSize(760, 620);
    resize(screen() != nullptr ? wanted.boundedTo(screen()->availableGeometry().size() * 0.9) : wanted);
}

void ProgressWindow::showGame(int row)
{
    exercisesTable->setRowCount(0);
    if (row < 0 || row >= int(m_games.size()))
        return;
    const GameRow &game = m_games[std::size_t(row)];
    exercisesTable->setAccessibleName(QStringLiteral("Ασκήσεις του παιχνιδιού της %1").arg(dateText(game.started)));
    exercisesTable->setRowCount(int(game.played.size()));
    for (int i = 0; i < int(game.played.size()); ++i) {
        const ExerciseRow &e = game.played[std::size_t(i)];
        setRow(exercisesTable, i,
               {QString::number(e.number), QLocale().toString(e.level, 'f', 2), exerciseEndText(e.end),
                QString::number(e.seconds), QStringLiteral("%1 από 8").arg(e.targetsHit),
                QString::number(e.equalsPresses)});
    }
}

QWidget *ProgressWindow::makeResultChart()
{
    auto *series = new QLineSeries;
    series->setPointsVisible(true);
    QStringList spoken;
    QDateTime first, last;
    for (auto game = m_games.rbegin(); game != m_games.rend(); ++game) {
        if (game->end != GameEnd::Finished || game->percentage < 0)
            continue;
        const QDateTime when = game->ended.isValid() ? game->ended : game->started;
        series->append(qreal(when.toMSecsSinceEpoch()), game->percentage);
        spoken << QStringLiteral("%1: %2 %").arg(dateText(when)).arg(game->percentage);
        if (!first.isValid())
            first = when;
        last = when;
    }
    const QString title = QStringLiteral("Αποτέλεσμα % κάθε παιχνιδιού που τελείωσε");
    if (series->count() == 0) {
        delete series;
        auto *none = new QLabel(QStringLiteral("%1: κανένα παιχνίδι δεν έχει τελειώσει ακόμη.").arg(title), this);
        none->setObjectName(QStringLiteral("resultChart"));
        none->setWordWrap(true);
        none->setFocusPolicy(Qt::StrongFocus);
        return none;
    }
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->addSeries(series);
    auto *x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("dd/MM"));
    x->setTitleText(QStringLiteral("Ημερομηνία"));
    // A single game, or games of one moment, still get a day's width around them.
    x->setRange(first.addSecs(-43200), last.addSecs(43200));
    auto *y = new QValueAxis;
    y->setRange(0, 100);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(QStringLiteral("%"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    return makeView(chart, QStringLiteral("resultChart"), title, spoken.join(QStringLiteral("; ")), this);
}

QWidget *ProgressWindow::makeSolvedChart()
{
    std::map<QDate, int> perDay;
    for (const GameRow &game : m_games)
        for (const ExerciseRow &e : game.played) {
            int &count = perDay[(e.ended.isValid() ? e.ended : game.started).date()];
            if (e.end == ExerciseEnd::Solved)
                ++count;
        }
    while (perDay.size() > std::size_t(SolvedChartDays))
        perDay.erase(perDay.begin());
    const QString title = QStringLiteral("Λυμένες ασκήσεις ανά ημέρα");
    auto *set = new QBarSet(QStringLiteral("Λυμένες ασκήσεις"));
    QStringList days, spoken;
    int most = 0;
    for (const auto &[day, count] : perDay) {
        *set << count;
        days << day.toString(QStringLiteral("dd/MM"));
        spoken << QStringLiteral("%1: %2").arg(day.toString(QStringLiteral("dd/MM/yyyy"))).arg(count);
        most = std::max(most, count);
    }
    auto *series = new QBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->addSeries(series);
    auto *x = new QBarCategoryAxis;
    x->append(days);
    auto *y = new QValueAxis;
    y->setRange(0, std::max(most, 1) + 1);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickInterval(std::max(1, (most + 1) / 5));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    return makeView(chart, QStringLiteral("solvedChart"), title, spoken.join(QStringLiteral("; ")), this);
}

bool ProgressWindow::saveCsv(const QString &file, QString *error) const
{
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write("\xEF\xBB\xBF") >= 0 && out.write(historyCsv(m_games)) >= 0
        && out.commit())
        return true;
    *error = QStringLiteral("Το αρχείο %1 δεν αποθηκεύτηκε: %2").arg(QDir::toNativeSeparators(file), out.errorString());
    return false;
}

void ProgressWindow::askAndSaveCsv()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Αποθήκευση CSV"), QDir(folder).filePath(QStringLiteral("numbolo-πρόοδος.csv")),
        QStringLiteral("Αρχεία CSV (*.csv)"));
    if (file.isEmpty())
        return;
    QString error;
    if (!saveCsv(file, &error))
        QMessageBox::critical(this, QStringLiteral("Πρόοδος"), error);
}

} // namespace numbolo
