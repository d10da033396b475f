#pragma once
// The mark of the keyboard focus: a ring around the control that has the focus in a window,
// outside the control and above everything else, a white band inside a black one. On a dark
// window the white stands out, on a light one the black, each by far more than 3:1, so a child
// with low vision sees where the keyboard is.

#include <QPointer>
#include <QWidget>

namespace numbolo {

class FocusRing : public QWidget {
    Q_OBJECT
public:
    // Follows the focus inside `window`, of which it is a child.
    explicit FocusRing(QWidget *window);
    // Band widths in pixels at scale 1: the gap to the control, the white band, the black band.
    static constexpr int Gap = 1, Light = 2, Dark = 2;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(QWidget *focused);
    void place();
    QPointer<QWidget> m_target;
};

} // namespace numbolo
