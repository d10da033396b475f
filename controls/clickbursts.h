#pragma once

#include <QObject>
#include <QPointF>

namespace numbolo {

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

} // namespace numbolo
