#pragma once
// Test doubles of the platform services, and a World that starts Form1 on them: a clock that
// tests move by hand, scripted message-box answers, recorded sounds, settings and font folders
// in a temporary directory, and the real fixed-seed random source unless a test scripts one.

#include "desktop/seededrandom.h"
#include "game/form1.h"
#include "services/services.h"
#include "store/historysource.h"

#include <QTemporaryDir>
#include <deque>
#include <map>
#include <memory>

namespace numbolo::testing {

class FakeClock : public Clock {
public:
    qint64 now() const override { return m_now; }
    Id callAt(qint64 when, Callback callback) override;
    void cancel(Id id) override;
    // Moves time forward by `ms`, running every call that falls due, in time order, with now()
    // set to its due time.
    void advance(qint64 ms);
    std::size_t pending() const { return m_queue.size(); }

private:
    qint64 m_now = 1'000'000;
    Id m_nextId = 1;
    std::map<std::pair<qint64, Id>, Callback> m_queue;
};

class ScriptedMessages : public MessageBoxes {
public:
    MessageAnswer show(const Message &message) override;
    // Answers for the next boxes, in order. OK boxes without a scripted answer get Ok; a
    // Yes/No box without one gets No.
    std::deque<MessageAnswer> answers;
    std::vector<Message> shown;
    // Runs while a box is "open", before it is answered.
    std::function<void(const Message &)> whileOpen;
};

class RecordingSound : public SoundPlayer {
public:
    void play(Sound sound) override { played.push_back(sound); }
    std::vector<Sound> played;
};

// Records the history of play as lines: "start <exercises> <range>", "<number> <solved|skipped|
// timeout> <seconds>s <targets hit>/8 <"=" presses>=", "end <finished|restarted> <percentage>";
// for each line the id of the game it names, and the game id the settings file held then.
class RecordingHistory : public HistoryRecorder {
public:
    void gameStarted(const GameFacts &game) override;
    void exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise) override;
    void gameEnded(const GameFacts &game, GameEnd end, int percentage) override;
    QStringList lines;
    // For each exercise, what it recorded inside: "<targets> | <keys> | <seconds>s <value>
    // <hit indexes>; ..." ("-" for a press that hit nothing).
    QStringList inside;
    QStringList ids;
    QStringList storedIds;
    const PlayerFiles *settings = nullptr;

private:
    void add(const QString &line, const GameFacts &game);
};

// A history held in memory, as the progress window and report read it: `stored`, its games newest
// first, and the totals and charts' series made of them (totalsOf and the like) unless a test
// gives its own; the figures (whole and recent alike), the exercises' details and the exercises
// with missed targets that a test gives. Every read fails with `failure` where it is set, and
// missed() also with `missedFailure`. It records what the window read.
class FakeHistory : public HistorySource {
public:
    explicit FakeHistory(std::vector<GameRow> games = {}) : stored(std::move(games)) {}
    bool readable(ReadError *error) override;
    bool summary(HistorySummary *summary, ReadError *error) override;
    bool games(int first, int count, std::vector<GameRow> *page, ReadError *error) override;
    bool everyGame(std::vector<GameRow> *every, ReadError *error) override;
    bool results(int latest, std::vector<GameResult> *results, ReadError *error) override;
    bool solvedPerDay(int days, std::vector<DaySolved> *perDay, ReadError *error) override;
    bool figures(Report *report, ReadError *error) override;
    bool recentFigures(Report *report, ReadError *error) override;
    bool exercise(qint64 game, int number, ExerciseDetail *detail, ReadError *error) override;
    bool missed(int count, std::vector<MissedExercise> *missed, ReadError *error) override;
    // None: the targets' CSV is read from a real history.
    bool recordedExercises(qint64 afterGame, int games, std::vector<RecordedExercise> *page, qint64 *lastGame,
                           ReadError *error, bool keysOnly = false) override;

    std::vector<GameRow> stored;
    std::optional<HistorySummary> givenTotals;
    std::optional<std::vector<GameResult>> givenResults;
    std::optional<std::vector<DaySolved>> givenPerDay;
    Report report;
    std::map<std::pair<qint64, int>, ExerciseDetail> details; // by game key and exercise number
    std::vector<MissedExercise> missedExercises;
    ReadError failure;
    ReadError missedFailure;
    // The first game of each page read, each exercise read (game key, number), and how many
    // times the whole figures were read.
    std::vector<int> pagesRead;
    std::vector<std::pair<qint64, int>> exercisesRead;
    int figuresRead = 0;
};

// Records what would be said to a screen-reader user, in order: the announcements, and apart
// from them the read-backs after keys.
class RecordingAnnouncer : public Announcer {
public:
    void announce(const QString &text, QWidget &) override { said.push_back(text); }
    void echo(const QString &text, QWidget &) override { echoed.push_back(text); }
    void speakNow() override { spokenAtOnce = said.size(); }
    std::vector<QString> said;
    std::vector<QString> echoed;
    // How many of `said` the last speakNow() found: those were spoken at once.
    std::size_t spokenAtOnce = 0;
};

// A player's files in a folder of the test's: the settings at `path`, the history beside them.
class TempPlayerFiles : public PlayerFiles {
public:
    explicit TempPlayerFiles(QString path) : path(std::move(path)) {}
    QString iniPath() const override { return path; }
    QString historyPath() const override;
    QString pendingPath() const override { return historyPath() + QStringLiteral(".pending"); }
    // The real flushes, recorded by path, or a disk that refuses them.
    bool flushFile(QFileDevice &file) const override;
    bool flushFolder(const QString &folder) const override;
    QString path;
    bool fileFlushFails = false;
    bool folderFlushFails = false;
    mutable QStringList flushed;
};

class TempFontFolders : public FontFolders {
public:
    QString systemFontFolder() const override { return system; }
    QStringList programFolders() const override { return {program}; }
    QString system;
    QString program;
};

class ScriptedRandom : public RandomSource {
public:
    float next() override;
    std::deque<float> values; // then the fixed-seed sequence
    SeededRandom fallback;
};

// The shipped display font in the source tree.
QString shippedFontPath();

class World {
public:
    World();
    Services services();
    // Writes the "Str" section of the settings file: key -> text.
    void store(const std::map<QString, QString> &values);
    // Writes the "Parents" section, by hand as a parent's tool or an editor would: key -> text.
    void storeParents(const std::map<QString, QString> &values);
    QString stored(const QString &key) const;
    bool hasStored(const QString &key) const;
    // Puts the shipped font into the program folder, and optionally the user's font folder.
    void shipFont();
    void installFont();
    // Creates Form1 on these services and runs its load handler.
    std::unique_ptr<Form1> start();

    QTemporaryDir dir;
    FakeClock clock;
    ScriptedMessages messages;
    RecordingSound sound;
    TempPlayerFiles settings;
    TempFontFolders fonts;
    ScriptedRandom random;
    RecordingHistory history;
    RecordingAnnouncer announcer;
};

// The Form1 that runGame() shows, or null.
Form1 *runningWindow();

// Sets the eight targets to `texts` (fewer leave the rest empty).
void setTargets(Form1 &form, const QStringList &texts);
// Clicks a widget with the mouse, as a person would.
void click(QWidget *widget);
// The ways a person can make a control act.
// Typed: the key's character typed on the keyboard, with keyboard typing on, wherever the
// focus is in the window.
enum class Way { Mouse, Keyboard, AccessiblePress, ProgrammaticClick, Typed };
QString wayName(Way way);
// Makes `control` act the given way: a mouse click, the space bar on the focused control, the
// press action of its accessible interface (what a screen reader or a switch device uses), or
// a click() from code.
void activate(QWidget *control, Way way);
// `clicks` clicks in quick succession at the centre of `widget`, as the window system delivers
// them: a press and a release, then a double-click event and a release, then plain presses
// again. Each event goes to whatever is under the mouse by then.
void clickBurst(QWidget *widget, int clicks);
// Starts a game from the option boxes through the red arrow.
void startGame(Form1 &form, const QString &count, const QString &range);

// A World with Form1 loaded on it and shown; nothing stored and no font shipped beforehand.
struct Started {
    // `parents`: the "Parents" section stored before the start.
    explicit Started(const std::map<QString, QString> &parents = {});
    World world;
    std::unique_ptr<Form1> form;
};

// Ships and installs the display font, then starts Form1 and shows it: start-up has no font to copy.
std::unique_ptr<Form1> shownWindowWithFont(World &world);
// shownWindowWithFont(), then a game started from the option boxes through the red arrow.
std::unique_ptr<Form1> shownGame(World &world, const QString &count = QStringLiteral("10"),
                                 const QString &range = QStringLiteral("100"));
// Enables every push button of the window, as if the exercise used every key.
void enableAllKeys(Form1 &form);
// Answers the skip question "yes" and clicks the red arrow: the running exercise is skipped.
void skipExercise(World &world, Form1 &form);
// Types each distinct target text into the display and clicks "=" after each: solves the exercise.
void typeEveryTarget(Form1 &form);
// The six values a game keeps between runs, as shown: Level, score, maxnums, cur, nums, reps.
QStringList shownGameValues(const Form1 &form);
// The same six values as a separate reader of the settings file sees them, "" where missing.
QStringList storedGameValues(const World &world);
// Checks that exactly one message box was shown, and that it was `expected` in all four parts.
void verifyOnlyMessage(const ScriptedMessages &messages, const Message &expected);
// The first enabled digit key from 1 to 9, or null when there is none.
PushButton *usableDigit(Form1 &form);
// The bytes of a file, or none where it cannot be read.
QByteArray fileContents(const QString &path);

} // namespace numbolo::testing
