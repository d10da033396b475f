#pragma once

#include "controls/vb.h"

#include <QGroupBox>

namespace numbolo {

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

} // namespace numbolo
