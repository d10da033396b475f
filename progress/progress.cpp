#include "progress/progress.h"

#include "progress/parentsettingsview.h"
#include "progress/progresstext.h"
#include "progress/progresswidgets.h"
#include "progress/reportcsv.h"
#include "progress/reportdocument.h"
#include "speech/speech.h"

#include <QBarCategoryAxis>
#include <QCoreApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDateTimeAxis>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

namespace numbolo {

ProgressWindow::ProgressWindow(HistorySource &history, const Unrecorded &unrecorded, const QDate &today,
                               QWidget *parent)
    : ProgressWindow(history, unrecorded,
                     today.isValid() ? Today([today] { return today; }) : Today(&QDate::currentDate), parent)
{
}

ProgressWindow::ProgressWindow(HistorySource &history, const Unrecorded &unrecorded, Today today, QWidget *parent)
    : QWidget(parent), m_history(history), m_opening(readOpening(history)), m_unrecorded(unrecorded),
      m_today(std::move(today)),
      m_report(std::move(m_opening.recent))
{
    setObjectName(QStringLiteral("Progress"));
    setWindowTitle(QCoreApplication::translate("Progress", "Πρόοδος"));
    setAccessibleName(QCoreApplication::translate("Progress", "Πρόοδος"));
    auto *layout = new QVBoxLayout(this);
    makeSummary();
    layout->addWidget(summary);
    if (nextStepLabel != nullptr)
        layout->addWidget(nextStepLabel);

    const bool any = m_opening.error.isEmpty() && !m_opening.games.empty();
    if (any) {
        quietTabPages();
        tabs = new QTabWidget(this);
        tabs->setObjectName(QStringLiteral("tabs"));
        tabs->setAccessibleName(QCoreApplication::translate("Progress", "Ενότητες"));
        tabs->setUsesScrollButtons(false);
        tabs->addTab(makeGamesTab(), QCoreApplication::translate("Progress", "&Παιχνίδια"));
        tabs->addTab(scrolled(makeChartsTab()), QCoreApplication::translate("Progress", "&Διαγράμματα"));
        tabs->addTab(makeFiguresPage(), QCoreApplication::translate("Progress", "Πράξ&εις"));
        tabs->addTab(makeFiguresPage(), QCoreApplication::translate("Progress", "Εύ&ρος"));
        tabs->addTab(makeFiguresPage(), QCoreApplication::translate("Progress", "&Ημερολόγιο"));
        // The figures are read as one of their tabs is first opened, after it has been drawn
        // saying so: on a history of years they take a while.
        connect(tabs, &QTabWidget::currentChanged, this, [this] {
            QWidget *page = tabs->currentWidget();
            if (m_figuresShown || std::find(m_figuresPages.begin(), m_figuresPages.end(), page) == m_figuresPages.end())
                return;
            page->repaint();
            showFigures();
        });
        layout->addWidget(tabs, 1);
        // Ctrl+Tab and Ctrl+Shift+Tab open the next and the previous tab from anywhere in the
        // window, the buttons too, and leave the keyboard on the tab's name, so that a screen
        // reader says which tab opened; Tab then goes into it.
        const auto turn = [this](int by) {
            tabs->setCurrentIndex((tabs->currentIndex() + by + tabs->count()) % tabs->count());
            tabs->tabBar()->setFocus(Qt::ShortcutFocusReason);
        };
        connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this, [turn] { turn(1); });
        for (const QKeyCombination back : {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, Qt::CTRL | Qt::SHIFT | Qt::Key_Tab})
            connect(new QShortcut(QKeySequence(back), this), &QShortcut::activated, this, [turn] { turn(-1); });
    } else {
        layout->addStretch(1);
    }
    makeButtons(any);
    layout->addWidget(saveButton->parentWidget());

    // The table takes the keyboard first: arrows choose a game, Ctrl+Tab shows the next tab. A
    // screen reader speaks the totals and the next step with it; without a table the message
    // itself takes the focus, so that it is spoken when the window opens.
    if (gamesTable != nullptr) {
        describeGames();
        connect(gamesTable, &QTableWidget::currentCellChanged, this, &ProgressWindow::describeGames);
        gamesTable->setFocus();
    } else {
        summary->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        summary->setFocusPolicy(Qt::StrongFocus);
        summary->setFocus();
    }
    const QSize wanted = m_opening.games.empty() ? QSize(520, 200) : QSize(760, 680);
    resize(screen() != nullptr ? wanted.boundedTo(screen()->availableGeometry().size() * 0.9) : wanted);
}

void ProgressWindow::describeGames()
{
    // Focus on the table reads its description, not the row chosen in it: the description ends
    // with that row, so that the newest game is heard as the window opens.
    // Each part a sentence of its own: a duration in words has lost the full stop of "λ.".
    const auto sentence = [](const QString &text) {
        return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
    };
    // The next step first: it is what a parent opens the window for, and what is lost when a
    // key cuts the speech short.
    // The totals in one sentence, the details being in the tabs; what follows them (play not
    // recorded yet) as the summary says it.
    QString description;
    if (nextStepLabel != nullptr)
        description += sentence(nextStepLabel->accessibleName()) + QLatin1Char('\n');
    QStringList summaryParts = summary->accessibleName().split(QStringLiteral("\n\n"));
    summaryParts.first() = spokenTotals(m_opening.totals);
    description += sentence(summaryParts.join(QStringLiteral("\n\n")));
    const int row = gamesTable->currentRow();
    if (row >= 0)
        description += QCoreApplication::translate("Progress", "\nΕπιλεγμένο παιχνίδι %1").arg(spokenRow(gamesTable, row));
    gamesTable->setAccessibleDescription(speech().forTheEar(description));
}

void ProgressWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel))
        window()->close(); // as in a dialog, Escape closes the window, also where it is shown in another
    else
        QWidget::keyPressEvent(event);
}

void ProgressWindow::tellClassQueue(int records, const QDateTime &since)
{
    const QString waiting = classQueueText(records, since);
    if (waiting.isEmpty())
        return;
    const QString text = summary->text() + QStringLiteral("\n\n") + waiting;
    summary->setText(text);
    summary->setAccessibleName(readAloud(text));
}

void ProgressWindow::makeSummary()
{
    const QString text = summaryText(m_opening, m_unrecorded);
    summary = new QLabel(text, this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setWordWrap(true);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary->setAccessibleName(readAloud(text));

    const QString step = m_opening.error.isEmpty() ? nextStep(m_report) : QString();
    if (step.isEmpty())
        return;
    const QString said = QCoreApplication::translate("Progress", "Επόμενο βήμα: %1").arg(step);
    nextStepLabel = new QLabel(said, this);
    nextStepLabel->setObjectName(QStringLiteral("nextStep"));
    nextStepLabel->setWordWrap(true);
    nextStepLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    nextStepLabel->setAccessibleName(readAloud(said));
}

QWidget *ProgressWindow::makeGamesTab()
{
    auto *split = new QSplitter(Qt::Vertical, tabs);
    gamesTable = makeTable(QStringLiteral("games"), QCoreApplication::translate("Progress", "Παιχνίδια, το νεότερο πρώτο"),
                           {QCoreApplication::translate("Progress", "Ημερομηνία"), QCoreApplication::translate("Progress", "Ασκήσεις"), QCoreApplication::translate("Progress", "Λυμένες"),
                            QCoreApplication::translate("Progress", "Αποτέλεσμα %"), QCoreApplication::translate("Progress", "Εύρος"),
                            QCoreApplication::translate("Progress", "Χρόνος παιχνιδιού"), QCoreApplication::translate("Progress", "Χρόνος ανά άσκηση")},
                           split);
    showGames(0);
    // A long history's list grows a page at a time as it is scrolled, or moved, to its end.
    connect(gamesTable->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value == gamesTable->verticalScrollBar()->maximum())
            readMoreGames();
    });
    exercisesTable = makeTable(QStringLiteral("exercises"), QCoreApplication::translate("Progress", "Ασκήσεις του παιχνιδιού"),
                               {QCoreApplication::translate("Progress", "Άσκηση"), QCoreApplication::translate("Progress", "Επίπεδο"), QCoreApplication::translate("Progress", "Έκβαση"),
                                QCoreApplication::translate("Progress", "Δευτερόλεπτα"), QCoreApplication::translate("Progress", "Στόχοι"),
                                QCoreApplication::translate("Progress", "Πατήματα =")},
                               split);
    split->addWidget(gamesTable);
    split->addWidget(exercisesTable);
    targetsView = new TargetsView(split);
    split->addWidget(targetsView);
    // The targets get the most room, for their eight rows and the line above them; the sizes are
    // shares of the height, which the splitter keeps as the window is resized.
    split->setSizes({260, 180, 460});
    connect(exercisesTable, &QTableWidget::currentCellChanged, this, [this](int row) {
        // Focus on the table reads its description: the chosen exercise is heard as Tab enters it.
        exercisesTable->setAccessibleDescription(
            row < 0 ? QString()
                    : speech().forTheEar(QCoreApplication::translate("Progress", "Επιλεγμένη άσκηση %1").arg(spokenRow(exercisesTable, row))));
        showExercise(row);
    });
    connect(gamesTable, &QTableWidget::currentCellChanged, this, [this](int row) {
        showGame(row);
        if (row == gamesTable->rowCount() - 1)
            readMoreGames(); // the keyboard reached the end of the list read so far
    });
    gamesTable->setCurrentCell(0, 0);
    return split;
}

QWidget *ProgressWindow::makeChartsTab()
{
    auto *charts = new QWidget(tabs);
    auto *chartsLayout = new QVBoxLayout(charts);
    resultChart = makeResultChart();
    solvedChart = makeSolvedChart();
    chartsLayout->addWidget(resultChart);
    chartsLayout->addWidget(solvedChart);
    return charts;
}

QWidget *ProgressWindow::makeFiguresPage()
{
    auto *page = new QWidget(tabs);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *loading = new QLabel(QCoreApplication::translate("Progress", "Φόρτωση…"), page);
    loading->setObjectName(QStringLiteral("loading"));
    loading->setAlignment(Qt::AlignCenter);
    loading->setFocusPolicy(Qt::StrongFocus); // the tab's contents are read from here until they come
    layout->addWidget(loading);
    m_figuresPages.push_back(page);
    return page;
}

bool ProgressWindow::readFigures()
{
    if (!m_figuresRead) {
        Report whole;
        if (!numbolo::readFigures(m_history, &whole, &m_figuresError))
            return false;
        m_report = std::move(whole);
        m_figuresRead = true;
    }
    return true;
}

void ProgressWindow::showFigures()
{
    m_figuresShown = true;
    const bool read = readFigures();
    QWidget *focused = focusWidget();
    bool focusLost = false;
    for (QWidget *page : m_figuresPages) {
        if (auto *loading = page->findChild<QLabel *>(QStringLiteral("loading"))) {
            focusLost = focusLost || loading == focused;
            delete loading;
        }
    }
    const auto show = [&](std::size_t tab, QWidget *section) {
        QWidget *page = scrolled(section);
        m_figuresPages[tab]->layout()->addWidget(page);
        page->show(); // now, not when the event loop next runs: the keyboard may go on to it
        // Made after the buttons, it would come after them in the Tab order: Tab from the tab's
        // name goes into it, through its controls in their order.
        std::vector<QWidget *> order{tabs->tabBar()};
        for (QWidget *next = section->nextInFocusChain(); section->isAncestorOf(next); next = next->nextInFocusChain())
            if ((next->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
                order.push_back(next);
        for (std::size_t i = 1; i < order.size(); ++i)
            QWidget::setTabOrder(order[i - 1], order[i]);
    };
    if (!read) {
        for (std::size_t tab = 0; tab < m_figuresPages.size(); ++tab) {
            auto *error = new QLabel(m_figuresError, m_figuresPages[tab]);
            error->setAccessibleName(readAloud(m_figuresError));
            error->setWordWrap(true);
            error->setFocusPolicy(Qt::StrongFocus);
            show(tab, error);
        }
    } else {
        const QString unknown = QCoreApplication::translate("Progress", "Οι πράξεις κάθε άσκησης καταγράφονται από αυτή την έκδοση του "
                                               "παιχνιδιού: θα φανούν εδώ μετά το επόμενο παιχνίδι.");
        show(0, makeGroupSection(QStringLiteral("skills"), QCoreApplication::translate("Progress", "Λυμένες ασκήσεις ανά πράξεις (%)"),
                                 QCoreApplication::translate("Progress", "Πράξεις"), m_report.skills, unknown, m_figuresPages[0],
                                 mediansNote(m_report)));
        show(1, makeGroupSection(QStringLiteral("ranges"), QCoreApplication::translate("Progress", "Λυμένες ασκήσεις ανά εύρος (%)"),
                                 QCoreApplication::translate("Progress", "Εύρος"), m_report.ranges,
                                 QCoreApplication::translate("Progress", "Καμία άσκηση δεν έχει τελειώσει ακόμη."), m_figuresPages[1],
                                 mediansNote(m_report)));
        show(2, makeCalendarSection(m_report.daysPlayed, m_today(), m_figuresPages[2]));
    }
    // The keyboard was on the word that the figures are coming: it goes on to the first of them
    // that takes it, as it goes into a tab that is opened.
    QWidget *page = tabs->currentWidget();
    for (QWidget *next = page->nextInFocusChain(); focusLost && next != page; next = next->nextInFocusChain()) {
        if (page->isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && next->isVisibleTo(page)) {
            next->setFocus();
            break;
        }
    }
}

void ProgressWindow::makeButtons(bool any)
{
    auto *buttons = new QDialogButtonBox(this);
    saveButton = buttons->addButton(QCoreApplication::translate("Progress", "&Αποθήκευση CSV…"), QDialogButtonBox::ActionRole);
    saveButton->setObjectName(QStringLiteral("saveCsv"));
    saveButton->setToolTip(QCoreApplication::translate("Progress", "Αποθηκεύει όλες τις ασκήσεις σε αρχείο CSV για υπολογιστικό φύλλο"));
    saveButton->setEnabled(any);
    printButton = buttons->addButton(QCoreApplication::translate("Progress", "Εκ&τύπωση…"), QDialogButtonBox::ActionRole);
    printButton->setObjectName(QStringLiteral("print"));
    printButton->setToolTip(QCoreApplication::translate("Progress", "Τυπώνει την αναφορά προόδου σε χαρτί ή σε αρχείο PDF"));
    printButton->setEnabled(any);
    closeButton = buttons->addButton(QCoreApplication::translate("Progress", "&Κλείσιμο"), QDialogButtonBox::RejectRole);
    closeButton->setObjectName(QStringLiteral("close"));
    connect(saveButton, &QPushButton::clicked, this, &ProgressWindow::askAndSaveCsv);
    connect(printButton, &QPushButton::clicked, this, &ProgressWindow::askAndPrint);
    connect(closeButton, &QPushButton::clicked, this, [this] { window()->close(); });
}

void ProgressWindow::showGames(int from)
{
    gamesTable->setRowCount(int(m_opening.games.size()));
    for (int row = from; row < int(m_opening.games.size()); ++row) {
        const GameRow &game = m_opening.games[std::size_t(row)];
        setRow(gamesTable, row,
               {dateText(game.started), QCoreApplication::translate("Progress", "%1 από %2").arg(game.played.size()).arg(game.exercises),
                QString::number(game.solved()), resultText(game), targetRangeText(game.range),
                durationText(game.seconds()), perExerciseText(game.secondsPerExercise)});
    }
}

void ProgressWindow::readMoreGames()
{
    const int from = int(m_opening.games.size());
    if (from >= m_opening.totals.games)
        return;
    std::vector<GameRow> more;
    ReadError error;
    if (!m_history.games(from, GamesPage, &more, &error) || more.empty())
        return; // the list stays as it is; the totals above it still say how many there are
    m_opening.games.insert(m_opening.games.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    showGames(from);
}

void ProgressWindow::showGame(int row)
{
    exercisesTable->setRowCount(0); // which clears the targets too, as no exercise is chosen
    if (row < 0 || row >= int(m_opening.games.size()))
        return;
    const GameRow &game = m_opening.games[std::size_t(row)];
    exercisesTable->setAccessibleName(
        readAloud(QCoreApplication::translate("Progress", "Ασκήσεις του παιχνιδιού της %1").arg(dateText(game.started))));
    exercisesTable->setRowCount(int(game.played.size()));
    for (int i = 0; i < int(game.played.size()); ++i) {
        const ExerciseRow &e = game.played[std::size_t(i)];
        setRow(exercisesTable, i,
               {QString::number(e.number), QLocale().toString(e.level, 'f', 2), exerciseEndText(e.end),
                QString::number(e.seconds), QCoreApplication::translate("Progress", "%1 από 8").arg(e.targetsHit),
                QString::number(e.equalsPresses)});
    }
    // The first exercise is chosen, so that its targets show and the table is entered on a row.
    if (exercisesTable->rowCount() > 0)
        exercisesTable->setCurrentCell(0, 0);
}

void ProgressWindow::showExercise(int row)
{
    const int game = gamesTable->currentRow();
    if (game < 0 || game >= int(m_opening.games.size()) || row < 0 || row >= int(m_opening.games[std::size_t(game)].played.size())) {
        targetsView->clear();
        return;
    }
    const GameRow &chosen = m_opening.games[std::size_t(game)];
    ExerciseDetail detail;
    QString error;
    if (readExercise(m_history, chosen.key, chosen.played[std::size_t(row)].number, &detail, &error))
        targetsView->showDetail(detail);
    else
        targetsView->showError(error);
}

QWidget *ProgressWindow::makeResultChart()
{
    auto *series = new QLineSeries;
    series->setPointsVisible(true);
    QStringList spoken;
    QDateTime first, last;
    for (const GameResult &result : m_opening.results) {
        const QDateTime &when = result.when;
        series->append(qreal(when.toMSecsSinceEpoch()), result.percentage);
        spoken << QStringLiteral("%1, %2 %").arg(dateText(when)).arg(result.percentage);
        if (!first.isValid())
            first = when;
        last = when;
    }
    const QString title = m_opening.results.size() < std::size_t(ResultChartGames)
        ? QCoreApplication::translate("Progress", "Αποτέλεσμα % κάθε παιχνιδιού που τελείωσε")
        : QCoreApplication::translate("Progress", "Αποτέλεσμα % των %1 τελευταίων παιχνιδιών που τελείωσαν").arg(ResultChartGames);
    if (series->count() == 0) {
        delete series;
        auto *none = new QLabel(QCoreApplication::translate("Progress", "%1: κανένα παιχνίδι δεν έχει τελειώσει ακόμη.").arg(title), this);
        none->setObjectName(QStringLiteral("resultChart"));
        none->setAccessibleName(readAloud(none->text()));
        none->setWordWrap(true);
        none->setFocusPolicy(Qt::StrongFocus);
        return none;
    }
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->addSeries(series);
    auto *x = new QDateTimeAxis;
    x->setTitleText(QCoreApplication::translate("Progress", "Ημερομηνία"));
    // The axis runs over whole days, with a day or more between its labels, so that no date is
    // written twice; over most of a year it names months instead.
    const QDateTime from = first.date().startOfDay(), to = last.date().addDays(1).startOfDay();
    const qint64 days = from.date().daysTo(to.date());
    x->setRange(from, to);
    x->setTickCount(int(std::min<qint64>(days, 6)) + 1);
    x->setFormat(days > 300 ? QStringLiteral("MM/yyyy") : QStringLiteral("dd/MM"));
    auto *y = percentAxis(QStringLiteral("%"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->hide();
    return makeChartView(chart, QStringLiteral("resultChart"), title, spoken.join(QStringLiteral(". ")), this);
}

QWidget *ProgressWindow::makeSolvedChart()
{
    const QString title = QCoreApplication::translate("Progress", "Λυμένες ασκήσεις ανά ημέρα");
    auto *set = new QBarSet(QCoreApplication::translate("Progress", "Λυμένες ασκήσεις"));
    QStringList days, spoken;
    int most = 0;
    for (const auto &[day, count] : m_opening.solvedPerDay) {
        *set << count;
        days << day.toString(QStringLiteral("dd/MM"));
        spoken << QStringLiteral("%1, %2").arg(day.toString(QStringLiteral("dd/MM/yyyy"))).arg(count);
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
    // A month of days side by side leaves no width for a date or a count written across a bar:
    // both are turned upright.
    if (days.size() > 10) {
        x->setLabelsAngle(-90);
        x->setTruncateLabels(false);
        series->setLabelsAngle(-90);
    }
    auto *y = new QValueAxis;
    y->setRange(0, std::max(most, 1) + 1);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickInterval(std::max(1, (most + 1) / 5));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->hide();
    return makeChartView(chart, QStringLiteral("solvedChart"), title, spoken.join(QStringLiteral(". ")), this);
}

bool ProgressWindow::saveCsv(const QString &file, QString *error) const
{
    // A long history's list holds only the games scrolled to: the file gets every game.
    std::vector<GameRow> every;
    ReadError unread;
    if (int(m_opening.games.size()) < m_opening.totals.games && !m_history.everyGame(&every, &unread)) {
        *error = readErrorText(unread);
        return false;
    }
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write("\xEF\xBB\xBF") >= 0
        && out.write(historyCsv(every.empty() ? m_opening.games : every)) >= 0 && out.commit())
        return true;
    *error = QCoreApplication::translate("Progress", "Το αρχείο %1 δεν αποθηκεύτηκε: %2").arg(QDir::toNativeSeparators(file), out.errorString());
    return false;
}

QString ProgressWindow::documentHtml()
{
    DocumentFacts facts{summaryText(m_opening, m_unrecorded), m_today(), {}, {}, {}, {}};
    if (readFigures()) {
        facts.figures = m_report;
        readMissedTargets(m_history, &facts);
    } else {
        facts.figuresError = m_figuresError;
    }
    return numbolo::documentHtml(facts);
}

void ProgressWindow::addSettings(const PlayerFiles &location)
{
    settingsView = new ParentSettingsView(location, this);
    if (tabs != nullptr) {
        tabs->addTab(scrolled(settingsView), QCoreApplication::translate("Progress", "Ρ&υθμίσεις"));
    } else {
        // Above the stretch that keeps the buttons at the bottom.
        auto *box = static_cast<QVBoxLayout *>(layout());
        box->insertWidget(box->count() - 2, settingsView);
        resize(size().expandedTo(sizeHint()));
    }
    // Tab reaches the settings before the buttons, as they stand on screen.
    QWidget::setTabOrder(settingsView->note, saveButton);
    QWidget::setTabOrder(saveButton, printButton);
    QWidget::setTabOrder(printButton, closeButton);
}

void ProgressWindow::askAndPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QCoreApplication::translate("Progress", "Πρόοδος στο Numbolo"));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QCoreApplication::translate("Progress", "Εκτύπωση"));
    if (dialog.exec() == QDialog::Accepted)
        printReport(documentHtml(), &printer);
}

void ProgressWindow::askAndSaveCsv()
{
    // The desktop's own file chooser where Qt's platform integration has one (it speaks the
    // desktop's language), in the user's documents; in the home folder where there are none.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString file = QFileDialog::getSaveFileName(
        this, QCoreApplication::translate("Progress", "Αποθήκευση CSV"), QDir(folder).filePath(QCoreApplication::translate("Progress", "numbolo-πρόοδος.csv")),
        QCoreApplication::translate("Progress", "Αρχεία CSV (*.csv)"));
    if (!file.isEmpty())
        saveCsvAndTell(file);
}

bool ProgressWindow::saveCsvAndTell(const QString &file)
{
    QString error;
    if (!saveCsv(file, &error)) {
        QMessageBox::critical(this, QCoreApplication::translate("Progress", "Πρόοδος"), error);
        return false;
    }
    // Shown under the buttons, and heard with the save button, which has the focus again once
    // the file chooser closes: the file's name, and its folder from the home folder, as a file
    // chooser names them, not a path read out slash by slash.
    const QFileInfo saved(file);
    const QString where = QCoreApplication::translate("Progress", "Το ιστορικό αποθηκεύτηκε στο αρχείο %1.").arg(QDir::toNativeSeparators(file));
    QString folder = QDir::home().relativeFilePath(saved.absolutePath());
    if (folder.startsWith(QLatin1String("..")) || QDir::isAbsolutePath(folder))
        folder = saved.absolutePath();
    const QString heard = folder == QLatin1String(".")
        ? QCoreApplication::translate("Progress", "Το ιστορικό αποθηκεύτηκε στο αρχείο %1, στον προσωπικό φάκελο.").arg(saved.fileName())
        : QCoreApplication::translate("Progress", "Το ιστορικό αποθηκεύτηκε στο αρχείο %1, στον φάκελο %2.")
              .arg(saved.fileName(), QDir::toNativeSeparators(folder));
    if (savedLabel == nullptr) {
        savedLabel = new QLabel(this);
        savedLabel->setObjectName(QStringLiteral("saved"));
        savedLabel->setWordWrap(true);
        savedLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // A long path does not widen the window beyond the screen.
        savedLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        layout()->addWidget(savedLabel);
    }
    savedLabel->setText(where);
    saveButton->setAccessibleDescription(heard);
    return true;
}

} // namespace numbolo
