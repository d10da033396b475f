#pragma once
// The services the game uses from its platform, each behind a small interface: the real ones
// live in desktop/, the program wires them up in app/, and tests pass the fakes of
// tests/fakes.h (no real dialogs, no real waiting, no real sound).

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <vector>

class QFileDevice;
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

// ---- Announcements ----------------------------------------------------------------------

// Tells a screen-reader user what changed where nothing they have focus on would say it: the
// value after "=", a new exercise, the result of the game, the time left. Texts are Greek
// sentences, spoken once each.
class Announcer {
public:
    virtual ~Announcer() = default;
    // Speaks `text` through assistive technology on behalf of `window`; nothing while no
    // screen reader listens. A text said again before it was spoken is spoken once.
    virtual void announce(const QString &text, QWidget &window) = 0;
    // Reads back what a key just did (the display after the key): briefly, in place of a
    // read-back not yet spoken, so that quick keys leave no backlog of speech.
    virtual void echo(const QString &text, QWidget &window) = 0;
    // Speaks what waits at once: a window about to open is read out next, and must not come
    // before what led to it.
    virtual void speakNow() = 0;
};

// Says nothing: the announcer of a game that was given none.
class SilentAnnouncer : public Announcer {
public:
    void announce(const QString &, QWidget &) override {}
    void echo(const QString &, QWidget &) override {}
    void speakNow() override {}
    static SilentAnnouncer &instance()
    {
        static SilentAnnouncer silent;
        return silent;
    }
};

// ---- History of play ----------------------------------------------------------------------

enum class ExerciseEnd { Solved, Skipped, TimedOut };
// How a game ended. The history closes a game as Abandoned itself, when a newer game starts
// while it is still under way: the settings keep one game at a time, so it cannot go on.
enum class GameEnd { Finished, Restarted, Abandoned };

// The options of a game, its number of exercises and its target range (negative for negative
// targets), and the id that names it both in the settings file and in the history; the time a
// parent gave each exercise (0: no limit) and whether the keyboard pressed the keypad's keys.
struct GameFacts {
    int exercises = 0;
    int range = 0;
    QString id;
    int secondsPerExercise = 180;
    bool keyboardTyping = false;
};

// One "=" of an exercise: the seconds since the exercise was shown, the display's text after it,
// and the targets it hit (indexes 0-7 in reading order).
struct EqualsFacts {
    int seconds = 0;
    QString value;
    std::vector<int> hit;
};

struct ExerciseFacts {
    int number = 0;
    double level = 0;
    ExerciseEnd end = ExerciseEnd::Solved;
    int seconds = 0;       // countdown seconds used
    int targetsHit = 0;    // of the eight
    int equalsPresses = 0; // "=" presses
    // What the child saw, as drawn: the eight targets in reading order and the working digit and
    // operator keys as their captions ("4 5 7 / +"); empty where the draw was not seen. A resumed
    // exercise is drawn anew, and records what that draw showed.
    QStringList targets;
    QString keys;
    std::vector<EqualsFacts> presses; // every "=", in order
};

// Keeps a history of play for the grown-ups' progress window. Each record names its game by
// `GameFacts::id`; a game the history has not seen yet (its start was not recorded) is made
// from the first record that names it. Each call is committed before it returns, and none fails
// loudly or holds the game up for more than a moment: what cannot be written now is kept and
// written with a later call, or at the next start.
class HistoryRecorder {
public:
    virtual ~HistoryRecorder() = default;
    // A new game starts: every other game still under way in the history ends as Abandoned.
    virtual void gameStarted(const GameFacts &game) = 0;
    // An exercise of `game` ended. An exercise played again (the game resumed after a crash
    // before its settings were saved) replaces the record of its earlier end.
    virtual void exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise) = 0;
    // `game` ended; `percentage` is the result shown, or -1 where none was.
    virtual void gameEnded(const GameFacts &game, GameEnd end, int percentage) = 0;
};

// ---- A player's files and the font folders ------------------------------------------------

// Where one player's files are: the one place that says so, for the game, the history and the
// progress window alike.
class PlayerFiles {
public:
    virtual ~PlayerFiles() = default;
    // The INI file that holds the six persisted values, the game under way ([Game]) and a
    // parent's settings ([Parents]).
    virtual QString iniPath() const = 0;
    // The history of play, and the records kept beside it while it could not be written.
    virtual QString historyPath() const = 0;
    virtual QString pendingPath() const = 0;
    // The name of the child these files are of, where children share the computer account each
    // with a profile of their own; empty where the account has one player.
    virtual QString profileName() const { return {}; }
    // Flush what was written to `file` (open for writing), or the entries of `folder`, to the
    // disk, so that it survives a power cut. False only when the disk reports a failure; where
    // the system cannot flush such a file or folder at all there is nothing to wait for.
    virtual bool flushFile(QFileDevice &file) const = 0;
    virtual bool flushFolder(const QString &folder) const = 0;
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

// ---- Random source -----------------------------------------------------------------------

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform single-precision value in [0, 1).
    virtual float next() = 0;
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

// ---- All of them -------------------------------------------------------------------------

struct Services {
    MessageBoxes &messages;
    SoundPlayer &sound;
    PlayerFiles &files;
    FontFolders &fonts;
    RandomSource &random;
    Clock &clock;
    Announcer &announcer = SilentAnnouncer::instance();
    // The history of play; none is kept where this is null.
    HistoryRecorder *history = nullptr;
};

} // namespace numbolo
