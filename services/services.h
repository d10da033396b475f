#pragma once
// The platform services the game uses, each behind a small interface: the real ones below are
// the defaults, tests pass fakes (no real dialogs, no real waiting, no real sound).

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <random>

class QFileDevice;
class QSocketNotifier;
class QTimer;
class QWidget;

namespace numbolo {

// ---- Message boxes -----------------------------------------------------------------------

enum class MessageIcon { Information, Exclamation, Critical };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No, Dismissed };

struct Message {
    MessageIcon icon;
    MessageButtons buttons;
    QString title;
    QString text;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows a modal message box and returns the button pressed. Yes is the default of Yes/No.
    virtual MessageAnswer show(const Message &message) = 0;
    // The window the boxes stand on from now on (the game's main window).
    virtual void setOwner(QWidget *window) { Q_UNUSED(window); }
};

class QtMessageBoxes : public MessageBoxes {
public:
    MessageAnswer show(const Message &message) override;
    void setOwner(QWidget *window) override;

private:
    // Always the main window, never the active one: a box parented to a secondary window
    // would be deleted with it if that window went away while the box was open.
    QPointer<QWidget> m_owner;
};

// ---- Sound -------------------------------------------------------------------------------

// The two embedded sounds, named as their resources.
enum class Sound { Hit /* "MYSOUND" */, EndMusic /* "KOTA" */ };

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the sound asynchronously; it cuts off any sound still playing. Never blocks, never
    // fails loudly: without a sound device the game stays silent.
    virtual void play(Sound sound) = 0;
};

// The real sound player. Qt Multimedia and the libraries it pulls in are loaded with the
// sound module (numbolo_sound, built from app/qtsound.cpp) at the first sound, so they cost
// start-up nothing. Without the module, a sound device or a sound server the game is silent.
class ModuleSoundPlayer : public SoundPlayer {
public:
    // Looks for the module in `folders`, first match wins; by default beside the program and in
    // the installed module folder.
    explicit ModuleSoundPlayer(QStringList folders = defaultFolders());
    ~ModuleSoundPlayer() override;
    void play(Sound sound) override;
    // True once the module has been found and loaded (it is looked for at the first sound).
    bool loaded() const { return m_player != nullptr; }
    static QStringList defaultFolders();

private:
    QStringList m_folders;
    bool m_looked = false;
    std::unique_ptr<SoundPlayer> m_player;
};

// ---- Announcements ----------------------------------------------------------------------

// Tells a screen-reader user what changed where nothing they have focus on would say it: the
// value after "=", a new exercise, the result of the game, the time left. Texts are Greek
// sentences, spoken once each.
class Announcer {
public:
    virtual ~Announcer() = default;
    // Speaks `text` through assistive technology on behalf of `window`; nothing while no
    // screen reader listens.
    virtual void announce(const QString &text, QWidget &window) = 0;
};

class SilentAnnouncer : public Announcer {
public:
    void announce(const QString &, QWidget &) override {}
    static SilentAnnouncer &instance();
};

// ---- History of play ----------------------------------------------------------------------

enum class ExerciseEnd { Solved, Skipped, TimedOut };
enum class GameEnd { Finished, Restarted };

// The options of a game: its number of exercises and its target range (negative for negative
// targets).
struct GameFacts {
    int exercises = 0;
    int range = 0;
};

struct ExerciseFacts {
    int number = 0;
    double level = 0;
    ExerciseEnd end = ExerciseEnd::Solved;
    int seconds = 0;       // countdown seconds used
    int targetsHit = 0;    // of the eight
    int equalsPresses = 0; // "=" presses
};

// Keeps a history of play for the grown-ups' progress window. Each call is committed before it
// returns, and none fails loudly or holds the game up for more than a moment: what cannot be
// written now is kept and written with the next call.
class HistoryRecorder {
public:
    virtual ~HistoryRecorder() = default;
    virtual void gameStarted(const GameFacts &game) = 0;
    // An exercise of the game under way ended; where the history has no game under way (it was
    // started afresh), one is opened for it with `game`.
    virtual void exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise) = 0;
    // The game under way ended; `percentage` is the result shown, or -1 where none was.
    virtual void gameEnded(GameEnd end, int percentage) = 0;
};

// $XDG_DATA_HOME/<app>/history.sqlite (Qt's per-user data folder elsewhere), <app> being the
// executable's base name, as for the settings.
QString defaultHistoryPath();

// The real recorder. Qt SQL and SQLite live in the module numbolo_history, loaded at the first
// record, so the history costs start-up nothing. Without the module nothing is recorded.
class ModuleHistoryRecorder : public HistoryRecorder {
public:
    // Looks in `folders`; by default (none given) where the sound module is looked for, worked
    // out at the first record rather than at start-up.
    explicit ModuleHistoryRecorder(QStringList folders = {});
    ~ModuleHistoryRecorder() override;
    void gameStarted(const GameFacts &game) override;
    void exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise) override;
    void gameEnded(GameEnd end, int percentage) override;

private:
    HistoryRecorder *recorder();
    QStringList m_folders;
    bool m_looked = false;
    std::unique_ptr<HistoryRecorder> m_recorder;
};

// Looks for the module `name` in `folders`, first match wins, loads it for the rest of the
// program and returns its function `symbol`, or null.
QFunctionPointer moduleFunction(const QStringList &folders, const QString &name, const char *symbol);

// ---- Settings location and font folders ---------------------------------------------------

class SettingsLocation {
public:
    virtual ~SettingsLocation() = default;
    // The INI file that holds the six persisted values.
    virtual QString iniPath() const = 0;
    // Flush what was written to `file` (open for writing), or the entries of `folder`, to the
    // disk, so that it survives a power cut. False only when the disk reports a failure; where
    // the system cannot flush such a file or folder at all there is nothing to wait for.
    virtual bool flushFile(QFileDevice &file) const;
    virtual bool flushFolder(const QString &folder) const;
};

// $XDG_CONFIG_HOME/<app>/<app>.ini (Qt's per-user config folder elsewhere), where <app> is the
// executable's base name, taken anew each time: a renamed program has settings of its own.
class UserSettingsLocation : public SettingsLocation {
public:
    QString iniPath() const override;
};

class FontFolders {
public:
    virtual ~FontFolders() = default;
    // The folder where installed fonts live: the user's font folder, which the real service
    // creates when missing. A folder that does not exist makes the font installation fail.
    virtual QString systemFontFolder() const = 0;
    // The folders searched, in order, for the shipped DS-DIGI.TTF; the program's folder first.
    virtual QStringList programFolders() const = 0;
};

class UserFontFolders : public FontFolders {
public:
    QString systemFontFolder() const override;
    QStringList programFolders() const override;
};

// ---- Requests to end the program ---------------------------------------------------------

// What asks the program to end or to save from outside its window: the termination signals
// SIGTERM (a shutdown or a logout), SIGHUP (the terminal closes) and SIGINT (Ctrl+C), the
// application's quit request (the desktop session ending, a dock's "Quit"), and the desktop
// session's request to save before it ends. On Unix the signal handlers only write the signal
// into a pipe that the event loop watches, so the handlers call nothing that is unsafe there;
// elsewhere there are no such signals to handle. A signal that is ignored when the object is
// made (nohup) stays ignored. The handlers stay until the process ends, so a signal that comes
// while the program is ending does not kill it half-way; without the object they do nothing.
// One object at a time.
class EndRequests : public QObject {
    Q_OBJECT
public:
    explicit EndRequests(QObject *parent = nullptr);
    ~EndRequests() override;

signals:
    // A termination signal or a quit request arrived: end as closing the window does.
    void endRequested();
    // The desktop session asks to save now; the program goes on.
    void saveRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readSignals();
    QSocketNotifier *m_notifier = nullptr;
};

// ---- Hand-over to the running copy --------------------------------------------------------

// A socket in the user's runtime folder (XDG_RUNTIME_DIR, which only this user may enter) on
// which a later start asks the running copy to show its window: the way to it where there is
// no session bus. Plain sockets, so no network library is loaded. Unix only: elsewhere
// listen() and ask() fail.
class RuntimeSocket : public QObject {
    Q_OBJECT
public:
    explicit RuntimeSocket(const QString &name, QObject *parent = nullptr);
    ~RuntimeSocket() override;
    // Listens under the name, taking the place of a socket a killed copy left.
    bool listen();
    // True when a copy listening under the name answered within `timeoutMs`.
    bool ask(int timeoutMs) const;

signals:
    // A later start asked.
    void asked();

private:
    void answer();
    QString m_path;
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

// ---- Random source -----------------------------------------------------------------------

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform single-precision value in [0, 1).
    virtual float next() = 0;
};

// Never seeded from anything that changes: every program start replays the same sequence.
class SeededRandom : public RandomSource {
public:
    static constexpr std::uint32_t FixedSeed = 5489u;
    explicit SeededRandom(std::uint32_t seed = FixedSeed) : m_engine(seed) {}
    float next() override;

private:
    std::mt19937 m_engine;
};

// ---- Clock -------------------------------------------------------------------------------

// Time for the timers and animations. Callbacks are scheduled at absolute times, so a
// repeating step computes its next due time from the previous one and never drifts.
class Clock {
public:
    using Callback = std::function<void()>;
    using Id = quint64;
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale.
    virtual qint64 now() const = 0;
    // Calls `callback` once, from the event loop, at `when` (at once if that has passed).
    virtual Id callAt(qint64 when, Callback callback) = 0;
    // Forgets a pending call; unknown or finished ids are ignored.
    virtual void cancel(Id id) = 0;
};

class RealClock : public Clock {
public:
    RealClock();
    ~RealClock() override;
    qint64 now() const override;
    Id callAt(qint64 when, Callback callback) override;
    void cancel(Id id) override;

private:
    QElapsedTimer m_elapsed;
    Id m_nextId = 1;
    QHash<Id, QTimer *> m_timers;
};

// One pending call on a clock at a time: arming again replaces it, destruction cancels it.
class Alarm {
public:
    explicit Alarm(Clock &clock) : m_clock(clock) {}
    ~Alarm() { cancel(); }
    Alarm(const Alarm &) = delete;
    Alarm &operator=(const Alarm &) = delete;

    void at(qint64 when, Clock::Callback callback);
    void cancel();
    bool pending() const { return m_id != 0; }
    Clock &clock() const { return m_clock; }

private:
    Clock &m_clock;
    Clock::Id m_id = 0;
};

// ---- All of them -------------------------------------------------------------------------

struct Services {
    MessageBoxes &messages;
    SoundPlayer &sound;
    SettingsLocation &settings;
    FontFolders &fonts;
    RandomSource &random;
    Clock &clock;
    Announcer &announcer = SilentAnnouncer::instance();
    // The history of play; none is kept where this is null.
    HistoryRecorder *history = nullptr;
};

// The real services, owned together, for the program and the benchmarks.
class RealServices {
public:
    RealServices();
    ~RealServices();
    Services services();

private:
    QtMessageBoxes m_messages;
    ModuleSoundPlayer m_sound;
    UserSettingsLocation m_settings;
    UserFontFolders m_fonts;
    SeededRandom m_random;
    RealClock m_clock;
    ModuleHistoryRecorder m_history;
    std::unique_ptr<Announcer> m_announcer;
};

// Application-wide set-up shared by the program, the tests and the benchmarks: resources,
// the font names of the design mapped to installed fonts, and Qt's own texts in Greek.
void setupApplication();

} // namespace numbolo
