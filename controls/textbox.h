#pragma once
// The control kinds of the game's windows: text boxes, push buttons, frames, pictures that act
// on a click, a clickable label and the clock-driven timer. Colours are design values
// (0x00BBGGRR); the marker colours are kept as values so searches read them back exactly.

#include "services/alarm.h"
#include "services/services.h"
#include "controls/vb.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

class QKeyEvent;
class QSvgRenderer;

namespace numbolo {

// A text box. The program writes its text through setText(); text that arrives any other way
// (the keyboard, a screen reader setting or inserting text) is kept only while the edit gate
// allows it, so a locked box, or a box out of reach, refuses text from every source.
class TextBox : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(quint32 ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(quint32 BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(bool Locked READ isLocked WRITE setLocked)
public:
    explicit TextBox(QWidget *parent);

    VbColor foreColor() const { return m_fore; }
    void setForeColor(VbColor color);
    VbColor backColor() const { return m_back; }
    void setBackColor(VbColor color);
    // A locked box cannot be edited from the keyboard; the program still writes its text.
    bool isLocked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }
    void setFontName(const QString &family);
    void setFontSize(qreal points);
    void setFontBold(bool bold);
    // A sunken 3-D border; the target boxes have none.
    void setBorder(bool border);
    // The program's own write: always taken, whatever the lock.
    void setText(const QString &text);
    // Decides whether text from outside the program may change the box now; without a gate,
    // an unlocked box takes it.
    void setEditGate(std::function<bool()> mayEdit) { m_mayEdit = std::move(mayEdit); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void textChangedFromAnywhere();
    void layOutInFont();
    VbColor m_fore;
    VbColor m_back;
    bool m_border = true;
    QString m_accepted;          // the text as last written or allowed
    bool m_programWrite = false; // inside setText() or a refusal
    bool m_fontPending = false;  // a hidden box's text is not yet laid out in its font
    std::function<bool()> m_mayEdit;
};

// Return and Enter press a focused button of the game as Space does. Qt's push buttons take
// them only in dialogs, and the game's buttons live in a plain window. True when it pressed.
bool pressOnReturn(QAbstractButton *button, QKeyEvent *event);

// A standard push button. Its background colour is a group marker that is not painted.
class PushButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ backColor)
public:
    PushButton(VbColor marker, QWidget *parent) : QPushButton(parent), m_back(marker) {}
    VbColor backColor() const { return m_back; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    VbColor m_back;
};

// A button of the other kind (the clear key, the colour swatches) whose background is painted.
// It is not a PushButton, so no search for keys ever matches it.
// Like the pictures, it acts once on a double-click (see ClickBursts).
class FormsButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ backColor)
public:
    FormsButton(VbColor back, QWidget *parent);
    VbColor backColor() const { return m_back; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    VbColor m_back;
};

// A captioned group box, drawn as an etched rectangle (a dark and a light line) whose top edge
// runs through the middle of the caption; the caption stands on that line at the left, over the
// frame's background. The lines are the frame's outer edge, and its inside starts at its top
// edge, so the contained controls keep the places of the design. Disabling a frame makes
// everything inside it ignore the mouse and the keyboard while the contained controls keep
// their own enabled flags and their look; only the caption greys.
class Frame : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(bool Enabled READ isFrameEnabled WRITE setFrameEnabled)
public:
    Frame(const QString &caption, VbColor captionColor, QWidget *parent);

    VbColor backColor() const { return m_back; }
    void setBackColor(VbColor color);
    bool isFrameEnabled() const { return m_enabled; }
    void setFrameEnabled(bool enabled);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyPalette();
    VbColor m_back = 0x444444;
    VbColor m_caption;
    bool m_enabled = true;
};

// A picture that acts when clicked: a button whose face is vector art, crisp at any scale.
// Like every button it takes keyboard focus and acts on Space and Return.
class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    ImageButton(const QString &picture, QWidget *parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The picture, parsed when first needed, mostly at its first paint: one that starts hidden
    // costs start-up nothing.
    QSvgRenderer *renderer() const;
    // Draws the picture into `area`.
    void renderPicture(QPainter &painter, const QRectF &area);
    QString m_picture;
    mutable QSvgRenderer *m_renderer = nullptr;
};

// A caption that acts when clicked (the credits' "i"): a button drawn as a plain label, in
// the label's font and text colour.
class ClickLabel : public QAbstractButton {
    Q_OBJECT
public:
    ClickLabel(const QString &caption, QWidget *parent);
    void setAlignment(Qt::Alignment alignment);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignTop;
};

// A picture, a label or a button of the other kind acts once on a double-click, as such
// controls do on the platform the game comes from; the keypad's push buttons take every click.
// This application-wide filter swallows the rest of a click burst that started with a click on
// one of them: the double-click and any further press at the same spot within the
// double-click interval, whichever control is under the mouse by then (the sound switch swaps
// its picture, a swatch closes its window).
class ClickBursts : public QObject {
public:
    using QObject::QObject;
    // True for the controls that act once on a double-click.
    static bool actsOncePerBurst(const QObject *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_inBurst = false;
    quint64 m_last = 0; // timestamp of the burst's last press or release
    QPointF m_where;    // global position of the burst
};

// A timer that fires every `interval` ms while enabled, driven by the clock. Each tick is due
// a whole number of intervals after the enabling, so handler time never adds up to drift.
// Enabling an enabled timer changes nothing.
class IntervalTimer : public QObject {
    Q_OBJECT
public:
    IntervalTimer(Clock &clock, int intervalMs, QObject *parent);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int interval() const { return m_interval; }

signals:
    void timeout();

private:
    void arm();
    Alarm m_alarm;
    int m_interval;
    bool m_enabled = false;
    qint64 m_next = 0;
};

// A font of the design: `family` is a design name ("Comic Sans MS", "DS-Digital", ...). Where
// that family is not installed, its first installed stand-in is named directly, so text
// layout never searches for a missing family.
QFont designFont(const QString &family, qreal points, bool bold = false, bool italic = false);
// The installed family that shows the design's `family`.
QString installedFamily(const QString &family);
// Whether a family of that name is installed (or added by the program), in any case.
bool familyInstalled(const QString &family);

// Lowers the font of a word-wrapped label in quarter points until its text fits the label:
// the fonts that stand in for the design's faces can run wider than the design expects.
void shrinkToFit(QLabel *label, qreal smallestPoints = 7);

// Swallows mouse and keyboard input for widgets that `blocked` says are out of reach. Focus is
// not refused: a control that has it keeps it, so the keyboard is where it was once the
// control is in reach again (a closed message box hands focus back while it still counts).
class InputGate : public QObject {
public:
    InputGate(std::function<bool(QWidget *)> blocked, QObject *parent)
        : QObject(parent), m_blocked(std::move(blocked))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<bool(QWidget *)> m_blocked;
};

} // namespace numbolo
