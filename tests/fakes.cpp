#include "tests/fakes.h"

#include "desktop/diskflush.h"
#include "progress/report.h"
#include "settings/settings.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QFile>
#include <QSettings>
#include <QTest>

#include <set>

namespace numbolo::testing {

Clock::Id FakeClock::callAt(qint64 when, Callback callback)
{
    const Id id = m_nextId++;
    m_queue.emplace(std::make_pair(std::max(when, m_now), id), std::move(callback));
    return id;
}

void FakeClock::cancel(Id id)
{
    for (auto it = m_queue.begin(); it != m_queue.end(); ++it) {
        if (it->first.second == id) {
            m_queue.erase(it);
            return;
        }
    }
}

void FakeClock::advance(qint64 ms)
{
    const qint64 target = m_now + ms;
    while (!m_queue.empty() && m_queue.begin()->first.first <= target) {
        auto node = m_queue.extract(m_queue.begin());
        m_now = node.key().first;
        node.mapped()();
    }
    m_now = target;
}

MessageAnswer ScriptedMessages::show(const Message &message)
{
    shown.push_back(message);
    if (whileOpen)
        whileOpen(message);
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return message.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

float ScriptedRandom::next()
{
    if (values.empty())
        return fallback.next();
    const float value = values.front();
    values.pop_front();
    return value;
}

void RecordingHistory::add(const QString &line, const GameFacts &game)
{
    lines << line;
    ids << game.id;
    storedIds << (settings != nullptr ? StoredSettings::gameId(settings->iniPath()) : QString());
}

void RecordingHistory::gameStarted(const GameFacts &game)
{
    // A parent's settings where they are not the game's own: "start 10 100 1800s keyboard".
    QString line = QStringLiteral("start %1 %2").arg(game.exercises).arg(game.range);
    if (game.secondsPerExercise != 180)
        line += QStringLiteral(" %1s").arg(game.secondsPerExercise);
    if (game.keyboardTyping)
        line += QStringLiteral(" keyboard");
    add(line, game);
}

void RecordingHistory::exerciseEnded(const GameFacts &game, const ExerciseFacts &e)
{
    const char *end = e.end == ExerciseEnd::Solved ? "solved" : e.end == ExerciseEnd::Skipped ? "skipped" : "timeout";
    add(QStringLiteral("%1 %2 %3s %4/8 %5=").arg(e.number).arg(QLatin1String(end)).arg(e.seconds).arg(e.targetsHit).arg(e.equalsPresses),
        game);
    QStringList presses;
    for (const EqualsFacts &press : e.presses) {
        QStringList hit;
        for (int target : press.hit)
            hit << QString::number(target);
        presses << QStringLiteral("%1s %2 %3").arg(press.seconds).arg(press.value, hit.isEmpty() ? "-" : hit.join(','));
    }
    inside << QStringLiteral("%1 | %2 | %3").arg(e.targets.join(' '), e.keys, presses.join(QStringLiteral("; ")));
}

void RecordingHistory::gameEnded(const GameFacts &game, GameEnd end, int percentage)
{
    add(QStringLiteral("end %1 %2").arg(QLatin1String(end == GameEnd::Finished ? "finished" : "restarted")).arg(percentage),
        game);
}

namespace {

// Fails a read of the fake history with `failure`, where it is set.
bool fails(const ReadError &failure, ReadError *error)
{
    *error = failure;
    return failure.failed();
}

} // namespace

bool FakeHistory::readable(ReadError *error)
{
    return !fails(failure, error);
}

bool FakeHistory::summary(HistorySummary *summary, ReadError *error)
{
    if (fails(failure, error))
        return false;
    *summary = givenTotals.value_or(totalsOf(stored));
    return true;
}

bool FakeHistory::games(int first, int count, std::vector<GameRow> *page, ReadError *error)
{
    pagesRead.push_back(first);
    page->clear();
    if (fails(failure, error))
        return false;
    for (int i = std::max(first, 0); i < int(stored.size()) && i - first < count; ++i)
        page->push_back(stored[std::size_t(i)]);
    return true;
}

bool FakeHistory::everyGame(std::vector<GameRow> *every, ReadError *error)
{
    *every = failure.failed() ? std::vector<GameRow>() : stored;
    return !fails(failure, error);
}

bool FakeHistory::results(int latest, std::vector<GameResult> *results, ReadError *error)
{
    if (fails(failure, error))
        return false;
    *results = givenResults.value_or(resultsOf(stored, latest));
    return true;
}

bool FakeHistory::solvedPerDay(int days, std::vector<DaySolved> *perDay, ReadError *error)
{
    if (fails(failure, error))
        return false;
    *perDay = givenPerDay.value_or(solvedPerDayOf(stored, days));
    return true;
}

bool FakeHistory::figures(Report *figures, ReadError *error)
{
    ++figuresRead;
    *figures = failure.failed() ? Report() : report;
    return !fails(failure, error);
}

bool FakeHistory::recentFigures(Report *figures, ReadError *error)
{
    *figures = failure.failed() ? Report() : report;
    return !fails(failure, error);
}

bool FakeHistory::exercise(qint64 game, int number, ExerciseDetail *detail, ReadError *error)
{
    exercisesRead.emplace_back(game, number);
    *detail = {};
    if (fails(failure, error))
        return false;
    const auto found = details.find({game, number});
    if (found == details.end()) {
        *error = {ReadError::Kind::NoSuchExercise, {}, {}, number};
        return false;
    }
    *detail = found->second;
    return true;
}

bool FakeHistory::missed(int count, std::vector<MissedExercise> *missed, ReadError *error)
{
    missed->clear();
    if (fails(failure, error) || fails(missedFailure, error))
        return false;
    const std::size_t shown = std::min(missedExercises.size(), std::size_t(std::max(count, 0)));
    missed->assign(missedExercises.begin(), missedExercises.begin() + std::ptrdiff_t(shown));
    return true;
}

bool FakeHistory::recordedExercises(qint64 afterGame, int, std::vector<RecordedExercise> *page, qint64 *lastGame,
                                    ReadError *error, bool)
{
    page->clear();
    *lastGame = afterGame;
    return !fails(failure, error);
}

QString TempPlayerFiles::historyPath() const
{
    return QFileInfo(path).dir().filePath(QStringLiteral("history.sqlite"));
}

bool TempPlayerFiles::flushFile(QFileDevice &file) const
{
    flushed << file.fileName();
    return !fileFlushFails && flushFileToDisk(file);
}

bool TempPlayerFiles::flushFolder(const QString &folder) const
{
    flushed << folder;
    return !folderFlushFails && flushFolderToDisk(folder);
}

QString shippedFontPath()
{
    return QStringLiteral(NUMBOLO_SOURCE_DIR "/resources/DS-DIGI.TTF");
}

World::World() : settings(dir.filePath(QStringLiteral("config/Numbolo/Numbolo.ini")))
{
    history.settings = &settings;
    fonts.system = dir.filePath(QStringLiteral("fonts"));
    fonts.program = dir.filePath(QStringLiteral("program"));
    QDir().mkpath(fonts.system);
    QDir().mkpath(fonts.program);
}

Services World::services()
{
    return Services{messages, sound, settings, fonts, random, clock, announcer, &history};
}

void World::store(const std::map<QString, QString> &values)
{
    QSettings ini(settings.path, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Str"));
    for (const auto &[key, text] : values)
        ini.setValue(key, text);
    ini.endGroup();
    ini.sync();
}

void World::storeParents(const std::map<QString, QString> &values)
{
    QSettings ini(settings.path, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Parents"));
    for (const auto &[key, text] : values)
        ini.setValue(key, text);
    ini.endGroup();
    ini.sync();
}

QString World::stored(const QString &key) const
{
    QSettings ini(settings.path, QSettings::IniFormat);
    return ini.value(QStringLiteral("Str/") + key).toString();
}

bool World::hasStored(const QString &key) const
{
    QSettings ini(settings.path, QSettings::IniFormat);
    return ini.contains(QStringLiteral("Str/") + key);
}

void World::shipFont()
{
    QFile::copy(shippedFontPath(), QDir(fonts.program).filePath(QStringLiteral("DS-DIGI.TTF")));
}

void World::installFont()
{
    QFile::copy(shippedFontPath(), QDir(fonts.system).filePath(QStringLiteral("DS-DIGI.TTF")));
}

std::unique_ptr<Form1> World::start()
{
    auto form = std::make_unique<Form1>(services());
    form->load();
    return form;
}

Form1 *runningWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<Form1 *>(widget); form != nullptr && !form->hasEnded())
            return form;
    return nullptr;
}

void setTargets(Form1 &form, const QStringList &texts)
{
    const auto boxes = form.targetBoxesByName();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(i < std::size_t(texts.size()) ? texts[qsizetype(i)] : QString());
}

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

QString wayName(Way way)
{
    switch (way) {
    case Way::Mouse:
        return QStringLiteral("mouse");
    case Way::Keyboard:
        return QStringLiteral("keyboard");
    case Way::AccessiblePress:
        return QStringLiteral("screen reader press");
    case Way::ProgrammaticClick:
        return QStringLiteral("click()");
    case Way::Typed:
        return QStringLiteral("typed");
    }
    return {};
}

void activate(QWidget *control, Way way)
{
    switch (way) {
    case Way::Mouse:
        click(control);
        return;
    case Way::Keyboard:
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control, Qt::Key_Space);
        return;
    case Way::AccessiblePress: {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
        QAccessibleActionInterface *actions = iface != nullptr ? iface->actionInterface() : nullptr;
        QVERIFY2(actions != nullptr && actions->actionNames().contains(QAccessibleActionInterface::pressAction()),
                 qPrintable(control->objectName()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::processEvents(); // the press acts from the event loop
        return;
    }
    case Way::ProgrammaticClick:
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            button->click();
        return;
    case Way::Typed: {
        static const std::map<QString, char> typedFor{
            {"Command10", '/'}, {"Command11", 'x'}, {"Command12", '-'}, {"Command13", '+'},
            {"Command14", '.'}, {"Command15", '('}, {"Command16", ')'}, {"Command17", '='},
            {"Command20", '^'}};
        const QString name = control->objectName();
        QWidget *focus = control->window()->focusWidget();
        QWidget *to = focus != nullptr ? focus : control->window();
        if (name.size() == 8 && name.startsWith(QLatin1String("Command")) && name.back().isDigit())
            QTest::keyClick(to, char('0' + name.back().digitValue()));
        else if (name == QLatin1String("Command18") || name == QLatin1String("CommandButton2"))
            QTest::keyClick(to, name == QLatin1String("Command18") ? Qt::Key_Backspace : Qt::Key_Delete);
        else if (const auto it = typedFor.find(name); it != typedFor.end())
            QTest::keyClick(to, it->second);
        else
            QFAIL(qPrintable("no key types " + name));
        return;
    }
    }
}

void clickBurst(QWidget *widget, int clicks)
{
    const QPoint global = widget->mapToGlobal(widget->rect().center());
    QWidget *const window = widget->window();
    ulong when = ulong(QTest::lastMouseTimestamp) + 10'000;
    const auto send = [&](QEvent::Type type) {
        QWidget *target = window->isVisible() ? QApplication::widgetAt(global) : nullptr;
        if (target == nullptr)
            target = widget; // nothing else there (or no window system): the widget itself
        const QPointF local = target->mapFromGlobal(QPointF(global));
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, QPointF(global), Qt::LeftButton, held, Qt::NoModifier);
        event.setTimestamp(when);
        when += 60; // well inside the double-click interval
        QApplication::sendEvent(target, &event);
    };
    for (int i = 1; i <= clicks; ++i) {
        send(i == 2 ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress);
        send(QEvent::MouseButtonRelease);
    }
    QTest::lastMouseTimestamp = int(when + 10'000);
}

void startGame(Form1 &form, const QString &count, const QString &range)
{
    form.Text16->setText(count);
    form.Text14->setText(range);
    click(form.Image6);
}

Started::Started(const std::map<QString, QString> &parents)
{
    if (!parents.empty())
        world.storeParents(parents);
    form = world.start();
    form->show();
}

std::unique_ptr<Form1> shownWindowWithFont(World &world)
{
    world.shipFont();
    world.installFont();
    auto form = world.start();
    form->show();
    return form;
}

std::unique_ptr<Form1> shownGame(World &world, const QString &count, const QString &range)
{
    auto form = shownWindowWithFont(world);
    startGame(*form, count, range);
    return form;
}

void enableAllKeys(Form1 &form)
{
    for (PushButton *key : form.controlsOf<PushButton>())
        key->setEnabled(true);
}

void skipExercise(World &world, Form1 &form)
{
    world.messages.answers.push_back(MessageAnswer::Yes);
    click(form.Image6);
}

void typeEveryTarget(Form1 &form)
{
    std::set<QString> values;
    for (const TextBox *box : form.targetBoxesByName())
        values.insert(box->text());
    for (const QString &value : values) {
        form.Text1->setText(value);
        click(form.Command17);
    }
}

QStringList shownGameValues(const Form1 &form)
{
    return {form.Text12->text(), form.Text13->text(), form.Text14->text(),
            form.Text17->text(), form.Text18->text(), form.Text16->text()};
}

QStringList storedGameValues(const World &world)
{
    QStringList values;
    for (const char *key : {"Level", "score", "maxnums", "cur", "nums", "reps"})
        values << world.stored(QString::fromLatin1(key));
    return values;
}

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

PushButton *usableDigit(Form1 &form)
{
    for (const KeyRow &row : CharacterKeys)
        if (row.startsCountdown && (form.*row.key)->isEnabled())
            return form.*row.key;
    return nullptr;
}

void verifyOnlyMessage(const ScriptedMessages &messages, const Message &expected)
{
    QCOMPARE(messages.shown.size(), std::size_t(1));
    const Message &shown = messages.shown.front();
    QCOMPARE(shown.icon, expected.icon);
    QCOMPARE(shown.buttons, expected.buttons);
    QCOMPARE(shown.title, expected.title);
    QCOMPARE(shown.text, expected.text);
}

} // namespace numbolo::testing
