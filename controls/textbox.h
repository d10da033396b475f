#pragma once

#include "controls/vb.h"

#include <QLineEdit>
#include <functional>

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
    // True when `text` shows whole in the box at its font.
    bool fitsWhole(const QString &text) const;
    // Makes the font smaller, where `text` would not show whole at its size.
    void fitFontTo(const QString &text);
    // A sunken 3-D border; the target boxes have none.
    void setBorder(bool border);
    // The program's own write: always taken, whatever the lock.
    void setText(const QString &text);
    // Decides whether text from outside the program may change the box now; without a gate,
    // an unlocked box takes it.
    void setEditGate(std::function<bool()> mayEdit) { m_mayEdit = std::move(mayEdit); }
    // What a screen reader reads as the box's text while it is not empty, in place of what the
    // box shows: for a text that moves (the results typed out for ever), of which a screen
    // reader would read whatever fragment it reached.
    void setSpokenText(const QString &text) { m_spoken = text; }
    QString spokenText() const { return m_spoken.isEmpty() ? displayText() : m_spoken; }

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
    QString m_spoken;
};

} // namespace numbolo
