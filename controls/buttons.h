#pragma once
// The game's buttons: the keys, the painted buttons, the pictures and the label that act when
// clicked. Colours are design values (0x00BBGGRR); the marker colours are kept as values so
// searches read them back exactly.
#include "controls/vb.h"

#include <QAbstractButton>
#include <QPushButton>

class QKeyEvent;
class QSvgRenderer;

namespace numbolo {

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
    // A tick on the face, white edged in black (the colour swatch of the window's colour).
    void setMarked(bool marked);
    bool isMarked() const { return m_marked; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    VbColor m_back;
    bool m_marked = false;
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

} // namespace numbolo
