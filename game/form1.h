#pragma once
// Form1: the main window and the only holder of game state. The level, score, counters and
// limits are the texts of its state boxes, usable keys are enabled keys, sounds are on while
// Image8 is visible, and an ended game is a window whose frames are disabled.
//
// The handlers keep the names of the controls and events they serve. They are defined in files
// of game/ named for what they do: start-up, shutdown and restart in form1.cpp, the countdown,
// the progression, the keypad, the answer check, the success window, the keyboard's typing, the
// options, the tool strip, the colours, the help and the credits each in a file of its own.

#include "controls/accessibility.h"
#include "controls/buttons.h"
#include "controls/controlgate.h"
#include "controls/frame.h"
#include "controls/inputgate.h"
#include "controls/textbox.h"
#include "engine/countdown.h"
#include "engine/typewriter.h"
#include "settings/parentsettings.h"
#include "game/playrecord.h"
#include "arithmetic/runtimeerror.h"
#include "settings/settings.h"
#include "arithmetic/evaluator.h"
#include "windows/form3.h"
#include "services/services.h"
#include "windows/colourdialog.h"
#include "windows/form2.h"

#include <QAbstractButton>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace numbolo {

struct KeyRow;

// Key-group and target markers: the colours that the game searches controls by.
constexpr VbColor DigitKeyColor = 0x808080;
constexpr VbColor OperatorKeyColor = 0x808081;
constexpr VbColor PlainKeyColor = 0x808082;
constexpr VbColor TargetForeColor = 0xFF80FF;

// What AdvanceExercise did. After GameEnded the caller must not go on with its own steps.
enum class Advance { NextExercise, GameEnded };

class Form1 : public QWidget, public ControlGate {
    Q_OBJECT
public:
    explicit Form1(Services services, QWidget *parent = nullptr);
    ~Form1() override;

    // Runs the load handler. A run-time error here ends the program before the window shows.
    void load();
    // Ends the program as closing the window does (the reset after an ended game, the save, the
    // end), also where the window would refuse a close. For the termination signals and the
    // session's end: a save that fails is said on standard error, not in a message that would
    // wait for an answer.
    void shutDown();
    // Stores the six values as a close would store them now, and the game goes on. A failure
    // is silent: the close reports it. For the moments a game starts, an exercise begins or is
    // solved and a game ends, and for the desktop session's request to save.
    void checkpoint();
    // Another copy of the game took this one's lock over (on a computer sharing this home, while
    // this one's was asleep) and goes on with the child's progress there: this copy stops,
    // saves nothing that would overwrite that copy's, says where the game went, and ends.
    void yieldToAnotherCopy();
    // Asked before each handler runs: false once another copy has the game, and this one then
    // yields to it instead (yieldToAnotherCopy). Unset, the game is always this copy's.
    void setStillOurs(std::function<bool()> stillOurs) { m_stillOurs = std::move(stillOurs); }
    // True once the program has ended (closed, or stopped by a run-time error).
    bool hasEnded() const { return m_ended; }

    // ---- Controls, by their design names ----
    Frame *Frame1, *Frame2, *Frame3, *Frame4, *Frame5, *Frame6, *Frame7, *Frame9;
    TextBox *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9;
    TextBox *Text12, *Text13, *Text14, *Text15, *Text16, *Text17, *Text18;
    PushButton *Command0, *Command1, *Command2, *Command3, *Command4, *Command5, *Command6,
        *Command7, *Command8, *Command9, *Command10, *Command11, *Command12, *Command13,
        *Command14, *Command15, *Command16, *Command17, *Command18, *Command19, *Command20;
    FormsButton *CommandButton2;
    ImageButton *Image1, *Image2, *Image3, *Image4, *Image5, *Image6, *Image7, *Image8;
    ClickLabel *Label4;
    Countdown *Timer1; // the countdown of the exercise, shown in Text15

    // Every control of the window at every depth, in creation order.
    const std::vector<QObject *> &controls() const { return m_controls; }
    // The controls of one kind, in creation order.
    template <class Kind>
    std::vector<Kind *> controlsOf() const
    {
        std::vector<Kind *> found;
        for (QObject *control : m_controls)
            if (auto *k = qobject_cast<Kind *>(control))
                found.push_back(k);
        return found;
    }
    // The push buttons whose background is `marker`, and the text boxes whose text colour is.
    std::vector<PushButton *> keysWithBackColor(VbColor marker) const;
    std::vector<TextBox *> textBoxesWithForeColor(VbColor marker) const;
    // The eight target boxes by name, Text2 to Text9.
    std::vector<TextBox *> targetBoxesByName() const;

    // The whole window's enabled flag: while false (the success window is open) no control of
    // the window takes input, though every control keeps its look.
    bool isFormEnabled() const { return m_formEnabled; }
    void setFormEnabled(bool enabled) { m_formEnabled = enabled; }
    // The one place that decides whether a control of the game's windows may act now: true
    // when nothing may reach it, because the program has ended or a message box is open, or,
    // for a control of this window, because the window or a frame around it is disabled or the
    // control lies outside the window (the folded tool strip). Every way in (the mouse, the
    // keyboard, a screen reader's press or "set text", a programmatic click) meets it through
    // the input gate and connectHandler(); a text box takes text from outside the program only
    // while it is not blocked and not locked.
    bool isBlocked(const QWidget *widget) const override;
    // Puts `control` behind the input gate, and runs `handler` on its click while it is not
    // blocked. For the buttons of this window and of the colour picker.
    void connectHandler(QAbstractButton *control, std::function<void()> handler) override;
    // Puts `widget` behind the input gate: mouse and keyboard input reach it only while it is
    // not blocked.
    void guard(QWidget *widget) override { widget->installEventFilter(m_gate); }

    // Sounds are on while Image8 is visible.
    bool soundsOn() const { return !Image8->isHidden(); }
    void setBackColor(VbColor color);
    VbColor backColor() const { return m_back; }
    // Sets the outer window width in twips (the frame adds 90 twips to the client width).
    void setOuterWidth(int twips);

    // The parent's settings of the game under way: read at the program's start and at each new
    // game, never in the middle of one.
    const ParentSettings &parentSettings() const { return m_parents; }
    bool timeLimited() const { return m_parents.secondsPerExercise != 0; }

    // ---- Shared game procedures (engine/) ----
    void DrawExercise();
    Advance AdvanceExercise();
    bool resultsAnimationRunning() const { return m_results.running(); }
    bool creditsRunning() const { return m_credits.running(); }

    // ---- Handlers ----
    void Form_Load();
    void Form_Unload();
    void Image5_Click();  // restart
    void Timer1_Timer();    // a second of the countdown went
    void Command19_Click(); // pause
    void CharacterKey_Click(const KeyRow &key);
    void Command18_Click(); // "<X"
    void CommandButton2_Click(); // "Cl"
    void Command17_Click(); // "="
    void Image6_Click();  // start a game, or skip an exercise
    void Image7_Click();  // fold the tool strip away
    void Image3_Click();  // bring it back
    void Image8_Click();  // sounds off
    void Image4_Click();  // sounds on
    void Image2_Click();  // colour picker
    void Image1_Click();  // help
    void Label4_Click();  // credits

    // The secondary windows while they are open (null otherwise).
    Form2 *helpWindow() const { return m_help; }
    ColourDialog *colourDialog() const { return m_colours; }
    Form3 *successWindow() const { return m_success; }
    // Opens a fresh success window; its load disables this window, its "ΟΚ" moves the game on.
    void showSuccessWindow();
    // Applies a colour from the colour picker to the window, its frames and the target boxes.
    void applyWindowColour(VbColor color);

    const Services &services() const { return m_services; }
    const Evaluator &evaluator() const { return m_evaluator; }

    // Runs a handler: a run-time error it raises is reported and ends the program.
    template <class Handler>
    void run(Handler &&handler)
    {
        if (m_ended)
            return;
        if (m_stillOurs && !m_stillOurs())
            return yieldToAnotherCopy();
        try {
            handler();
        } catch (const RuntimeError &error) {
            fail(error);
        }
    }
    // Shows a message box through the message-box seam. Returns Dismissed once the program
    // has ended while the box was open, so the caller stops.
    MessageAnswer message(MessageIcon icon, MessageButtons buttons, const QString &title, const QString &text);

signals:
    // The program ends; `code` is the process exit code.
    void programEnded(int code);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Keyboard typing, where a parent turned it on: keys typed anywhere in the window press the
    // matching key of the keypad (game/keyboardtyping.cpp).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void fail(const RuntimeError &error);
    void endProgram(int code);
    void disableDigitKeys();
    // Reads the parent's settings for the game about to start or resume.
    void readParentSettings();
    // Stops the countdown and puts it back to its start, for a new exercise or no game.
    void resetCountdown();
    // What the countdown box shows: the seconds left, or the sign of no time limit.
    QString countdownText() const;
    // The countdown ran out: the exercise is lost, and the game moves on.
    void timeRanOut();
    // "ΟΚ" in the success window `window`: the game moves on, and the window closes unless the
    // game has ended.
    void successConfirmed(Form3 &window);
    // The keypad's key that `key` types, or null when it types none.
    QAbstractButton *keypadKeyFor(const QKeyEvent &key) const;
    // Presses `key` as a click would, or tells a screen-reader user why it did nothing.
    void pressTyped(QAbstractButton *key);
    void installDisplayFont();
    bool storedGameUsable() const;
    // The shown score is a whole number from 0 to `played`.
    bool storedScoreUsable(double played) const;
    // The six values a close would store now, in writing order.
    StoredSettings::Values valuesToStore() const;
    // The one save of the six values, for the close and the checkpoints.
    StoredSettings::Saved saveProgress(QString *error);
    void startResults(int percentage);
    // Leaves the display as the credits found it.
    void creditsEnded();
    // True when no part of `control` lies inside this window (the folded tool strip).
    bool outOfSight(const QWidget *control) const;
    // Keyboard focus reaches the controls inside the window and none outside it.
    void updateFocusReach();
    // A press that `control` did not take because it is blocked. After the end of the game the
    // child hears that nothing acts any more, and what to do instead.
    void pressRefused(const QWidget *control);
    // The exercise on screen: it changes whenever an exercise is drawn, the game ends or the
    // game is abandoned. A question about an exercise acts only while it is still on screen.
    quint64 exerciseShown() const { return m_exerciseSerial; }
    void exerciseChanged() { ++m_exerciseSerial; }
    bool gameRunning() const;
    // The history of play (game/playrecord.cpp): what the exercise on screen showed when it was
    // drawn, the end of the exercise on screen, recorded once, and a solved exercise recorded when the save first stores it as solved. Each record
    // names the game by the id kept in the settings file beside it.
    GameFacts gameFacts() const;
    void newGameId();
    void recordExerciseDrawn();
    void recordExerciseEnd();
    void recordSolvedExercise();

    Services m_services;
    PlayRecord m_play{m_services.history, m_services.clock};
    Evaluator m_evaluator;
    std::vector<QObject *> m_controls;
    InputGate *m_gate;
    Typewriter m_results;
    Typewriter m_credits;
    QPointer<Form2> m_help;
    QPointer<ColourDialog> m_colours;
    QPointer<Form3> m_success;
    VbColor m_back = 0x444444;
    bool m_formEnabled = true;
    bool m_ended = false;
    bool m_endRequested = false; // by shutDown(), from outside the window
    std::function<bool()> m_stillOurs;
    int m_openMessages = 0;
    quint64 m_exerciseSerial = 0;
    QString m_gameId;
    ParentSettings m_parents;
};

// A key that appends a character to the display, and whether it starts the countdown.
struct KeyRow {
    PushButton *Form1::*key;
    const char *appends;
    bool startsCountdown;
};
extern const KeyRow CharacterKeys[18];

// Gives every control a person can use or read a Greek accessible name and its tooltip as the
// description, for screen readers (game/accessiblenames.cpp). The constructor calls it.
void applyAccessibleNames(Form1 &form);

} // namespace numbolo
