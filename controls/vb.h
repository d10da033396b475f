#pragma once
// Units of the window design: colours as 0x00BBGGRR values and positions in twips.

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QWidget>

namespace numbolo {

// A colour as the design states it: 0x00BBGGRR.
using VbColor = quint32;

inline QColor toQColor(VbColor c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// Sets one colour of a widget's palette from a design colour.
inline void setPaletteColor(QWidget *widget, QPalette::ColorRole role, VbColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, toQColor(color));
    widget->setPalette(palette);
}

// The one place where twips become pixels: 15 twips per pixel at 96 dpi. Qt scales the
// pixels again on high-DPI screens.
constexpr int TwipsPerPixel = 15;

constexpr int px(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace numbolo
