#include "controls/textbox.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QApplication>
#include <QStyleOptionButton>
#include <QSvgRenderer>

#include <algorithm>
#include <limits>
#include <utility>

namespace numbolo {

TextBox::TextBox(QWidget *parent) : QLineEdit(parent), m_fore(0x000000), m_back(0xFFFFFF)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    // No length limit of its own: the line edit's default of 32767 would silently stop the
    // keypad from appending to a long display.
    setMaxLength(std::numeric_limits<int>::max());
    // The line edit's own frame and margins would leave too little height for the display
    // font in boxes of the design's size; the border is drawn over the edge instead.
    setFrame(false);
    setTextMargins(2, 0, 2, 0);
    connect(this, &QLineEdit::textChanged, this, &TextBox::textChangedFromAnywhere);
}

void TextBox::setText(const QString &text)
{
    const QScopedValueRollback<bool> writing(m_programWrite, true);
    m_accepted = text;
    QLineEdit::setText(text);
}

void TextBox::textChangedFromAnywhere()
{
    if (m_programWrite)
        return;
    // Typing reaches a locked box only through paths that bypass the keyboard's read-only
    // check, such as a screen reader's "set text": the box then shows its text again at once.
    const bool allowed = m_mayEdit ? m_mayEdit() : !isLocked();
    if (allowed) {
        m_accepted = text();
        return;
    }
    const QScopedValueRollback<bool> refusing(m_programWrite, true);
    QLineEdit::setText(m_accepted);
}

void TextBox::setBorder(bool border)
{
    m_border = border;
    setTextMargins(border ? 2 : 0, 0, border ? 2 : 0, 0);
    update();
}

void TextBox::changeEvent(QEvent *event)
{
    // A hidden box lays its text out in a new font only when it is shown or painted: the
    // layout loads the font's engine, which a box that starts hidden and may never be shown
    // does not need at start-up. font() is the new font at once.
    if (event->type() == QEvent::FontChange && isHidden()) {
        m_fontPending = true;
        QWidget::changeEvent(event);
        return;
    }
    QLineEdit::changeEvent(event);
}

void TextBox::layOutInFont()
{
    if (!std::exchange(m_fontPending, false))
        return;
    QEvent change(QEvent::FontChange);
    QLineEdit::changeEvent(&change);
}

namespace {

// The box whose selection changes without a word to assistive technology, or null, and the
// update handler that was in place before.
const QObject *quietSelectionOf = nullptr;
QAccessible::UpdateHandler updatesBefore = nullptr;

// Passes every accessibility update on, but the selection changes of that box.
void dropQuietSelection(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::TextSelectionChanged && event->object() == quietSelectionOf)
        return;
    if (updatesBefore != nullptr)
        return updatesBefore(event);
    QAccessible::installUpdateHandler(nullptr); // Qt's own path to the platform
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(dropQuietSelection);
}

} // namespace

void TextBox::focusOutEvent(QFocusEvent *event)
{
    // Leaving a box, Qt clears its selection while the box still has the screen reader's
    // attention, which then says so (in English, on a Greek desktop). The selection goes as
    // always, but without telling: Tab back into the box selects the whole text again.
    if (!hasSelectedText() || !QAccessible::isActive())
        return QLineEdit::focusOutEvent(event);
    updatesBefore = QAccessible::installUpdateHandler(dropQuietSelection);
    QScopedValueRollback<const QObject *> quiet(quietSelectionOf, this);
    QLineEdit::focusOutEvent(event);
    QAccessible::installUpdateHandler(updatesBefore);
}

void TextBox::showEvent(QShowEvent *event)
{
    layOutInFont();
    QLineEdit::showEvent(event);
}

void TextBox::paintEvent(QPaintEvent *event)
{
    layOutInFont(); // a hidden box can still be painted, into a picture of it
    QLineEdit::paintEvent(event);
    if (!m_border)
        return;
    QPainter painter(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    const QColor shadow(0x80, 0x80, 0x80), light(0xFF, 0xFF, 0xFF), dark(0x40, 0x40, 0x40), face(0xD4, 0xD0, 0xC8);
    painter.setPen(shadow);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(light);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    const QRect inner = r.adjusted(1, 1, -1, -1);
    painter.setPen(dark);
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(face);
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
}

void TextBox::setForeColor(VbColor color)
{
    m_fore = color;
    setPaletteColor(this, QPalette::Text, color);
}

void TextBox::setBackColor(VbColor color)
{
    m_back = color;
    setPaletteColor(this, QPalette::Base, color);
}

void TextBox::setFontName(const QString &family)
{
    QFont f = font();
    f.setFamily(family);
    setFont(f);
}

void TextBox::setFontSize(qreal points)
{
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
}

void TextBox::setFontBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

bool pressOnReturn(QAbstractButton *button, QKeyEvent *event)
{
    if ((event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) || event->isAutoRepeat()
        || event->modifiers() & ~Qt::KeypadModifier)
        return false;
    button->click();
    return true;
}

void PushButton::keyPressEvent(QKeyEvent *event)
{
    if (!pressOnReturn(this, event))
        QPushButton::keyPressEvent(event);
}

FormsButton::FormsButton(VbColor back, QWidget *parent) : QPushButton(parent), m_back(back) {}

void FormsButton::keyPressEvent(QKeyEvent *event)
{
    if (!pressOnReturn(this, event))
        QPushButton::keyPressEvent(event);
}

void FormsButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A push button takes the second click of a double-click as a new press; this one does not.
    event->accept();
}

void FormsButton::paintEvent(QPaintEvent *)
{
    // A flat face in the button's own colour with a raised edge, pressed look when down.
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, toQColor(m_back));
    const QColor light = toQColor(m_back).lighter(150);
    const QColor dark = toQColor(m_back).darker(170);
    const bool down = isDown();
    painter.setPen(down ? dark : light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(down ? light : dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(r.adjusted(2, 2, -3, -3));
    }
    if (!text().isEmpty()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.setFont(font());
        painter.drawText(r.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
    }
}

Frame::Frame(const QString &caption, VbColor captionColor, QWidget *parent)
    : QGroupBox(caption, parent), m_caption(captionColor)
{
    setAutoFillBackground(true);
    applyPalette();
}

void Frame::setBackColor(VbColor color)
{
    m_back = color;
    applyPalette();
}

void Frame::setFrameEnabled(bool enabled)
{
    m_enabled = enabled;
    applyPalette();
}

void Frame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QString caption = title();
    // The caption's letters start where the design's controls do, 120 twips in, and their top
    // is the frame's top edge. They are placed by their drawn outline rather than the font's
    // line height: the faces that stand in for the design's reserve much room above and below
    // the letters, which would push the caption into the controls placed 240 twips down.
    const QRect letters = caption.isEmpty() ? QRect() : QFontMetrics(font()).tightBoundingRect(caption);
    const QRect captionRect(px(120), 0, letters.width(), letters.height());
    const int lineTop = captionRect.height() / 2;

    // The etched rectangle: a dark line and a light one inside it, each as thick as a pixel of
    // the design and laid on whole device pixels, so they stay crisp and even at any scale.
    const qreal ratio = painter.deviceTransform().m11();
    const int u = std::max(1, qRound(ratio));
    const int w = qRound(width() * ratio);
    const int h = qRound(height() * ratio);
    const int top = qRound(lineTop * ratio);
    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    const QColor shadow(0x80, 0x80, 0x80), highlight(0xFF, 0xFF, 0xFF);
    for (const auto &[offset, colour] : {std::pair{0, shadow}, std::pair{u, highlight}}) {
        const QRect box(offset, top + offset, w - u, h - top - u);
        painter.fillRect(QRect(box.left(), box.top(), box.width(), u), colour);
        painter.fillRect(QRect(box.left(), box.bottom() + 1 - u, box.width(), u), colour);
        painter.fillRect(QRect(box.left(), box.top(), u, box.height()), colour);
        painter.fillRect(QRect(box.right() + 1 - u, box.top(), u, box.height()), colour);
    }
    painter.restore();

    if (caption.isEmpty())
        return;
    // The caption stands on the line over the frame's background, with a little room on either
    // side, and never over the side lines.
    const QRect room = captionRect.adjusted(-2, 0, 2, 0).intersected(rect().adjusted(2, 0, -2, 0));
    painter.fillRect(room, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(QPoint(captionRect.left() - letters.left(), -letters.top()), caption);
}

void Frame::applyPalette()
{
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(m_back));
    // A disabled frame shows its caption greyed, like a disabled control of the platform.
    p.setColor(QPalette::WindowText, m_enabled ? toQColor(m_caption) : QColor(0x80, 0x80, 0x80));
    setPalette(p);
}

namespace {

// The dotted focus mark of a button that has no frame of its own, shown as the platform's
// styles show theirs: once the keyboard has moved focus in the window.
void paintFocusMark(QWidget *button, QPainter &painter)
{
    if (!button->hasFocus() || !button->window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    painter.setPen(QPen(button->palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(button->rect().adjusted(0, 0, -1, -1));
}

} // namespace

ImageButton::ImageButton(const QString &picture, QWidget *parent) : QAbstractButton(parent), m_picture(picture)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

QSize ImageButton::sizeHint() const
{
    return renderer()->defaultSize();
}

QSvgRenderer *ImageButton::renderer() const
{
    // The picture is parsed when first needed, mostly at its first paint: one that starts
    // hidden costs start-up nothing.
    if (m_renderer == nullptr)
        m_renderer = new QSvgRenderer(m_picture, const_cast<ImageButton *>(this));
    return m_renderer;
}

void ImageButton::renderPicture(QPainter &painter, const QRectF &area)
{
    painter.setRenderHint(QPainter::Antialiasing);
    renderer()->render(&painter, area);
}

void ImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Pressed, the picture moves a pixel down and right.
    renderPicture(painter, QRectF(rect()).translated(isDown() ? 1 : 0, isDown() ? 1 : 0));
    paintFocusMark(this, painter);
}

void ImageButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The first click of the pair has acted already; a button would take this one as a press.
    event->accept();
}

void ImageButton::keyPressEvent(QKeyEvent *event)
{
    if (!pressOnReturn(this, event))
        QAbstractButton::keyPressEvent(event);
}

ClickLabel::ClickLabel(const QString &caption, QWidget *parent) : QAbstractButton(parent)
{
    setText(caption);
    setFocusPolicy(Qt::StrongFocus);
}

void ClickLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void ClickLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), int(m_alignment), text());
    paintFocusMark(this, painter);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void ClickLabel::keyPressEvent(QKeyEvent *event)
{
    if (!pressOnReturn(this, event))
        QAbstractButton::keyPressEvent(event);
}

bool ClickBursts::actsOncePerBurst(const QObject *control)
{
    return qobject_cast<const ImageButton *>(control) != nullptr || qobject_cast<const ClickLabel *>(control) != nullptr
        || qobject_cast<const FormsButton *>(control) != nullptr;
}

bool ClickBursts::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (!watched->isWidgetType()
        || (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonRelease))
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;

    const quint64 when = mouse->timestamp();
    const QPointF where = mouse->globalPosition();
    const bool near = (where - m_where).manhattanLength() <= QApplication::startDragDistance();
    const bool continues = m_inBurst && near && when >= m_last && when - m_last <= quint64(QApplication::doubleClickInterval());

    if (type == QEvent::MouseButtonRelease) {
        if (continues) {
            m_last = when; // the burst goes on as long as the clicks come quickly
        } else if (actsOncePerBurst(watched)) {
            m_inBurst = true;
            m_last = when;
            m_where = where;
        } else {
            m_inBurst = false;
        }
        return false;
    }
    if (continues) {
        m_last = when;
        return true; // the double-click, or a third click, of a burst that has acted already
    }
    m_inBurst = false;
    return false;
}

IntervalTimer::IntervalTimer(Clock &clock, int intervalMs, QObject *parent)
    : QObject(parent), m_alarm(clock), m_interval(intervalMs)
{
}

void IntervalTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled) {
        m_next = m_alarm.clock().now() + m_interval;
        arm();
    } else {
        m_alarm.cancel();
    }
}

void IntervalTimer::arm()
{
    m_alarm.at(m_next, [this] {
        // The next tick is armed before the handler runs, so a handler that disables the
        // timer cancels it, and a slow handler does not push later ticks back.
        m_next += m_interval;
        arm();
        emit timeout();
    });
}

namespace {

// The database's name of a family without the " [foundry]" it adds where two foundries share
// a family name.
QString plainFamily(const QString &listed)
{
    return listed.section(QLatin1String(" ["), 0, 0);
}

// The installed families, listed once and again after an application font is added:
// QFontDatabase::hasFamily runs the whole fontconfig configuration for every name it is asked.
const QStringList &listedFamilies()
{
    static QStringList families;
    static bool stale = true;
    static bool watching = false;
    if (!watching && qGuiApp != nullptr) {
        watching = true;
        QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] { stale = true; });
    }
    if (stale || qGuiApp == nullptr) {
        families = QFontDatabase::families();
        stale = false;
    }
    return families;
}

} // namespace

bool familyInstalled(const QString &family)
{
    const QStringList &families = listedFamilies();
    return std::any_of(families.begin(), families.end(),
                       [&](const QString &name) { return plainFamily(name).compare(family, Qt::CaseInsensitive) == 0; });
}

QString installedFamily(const QString &family)
{
    static QHash<QString, QString> resolved;
    auto it = resolved.find(family);
    if (it == resolved.end()) {
        QString installed = family;
        if (!familyInstalled(family)) {
            // Substitutes come back in lower case; name the family as the database spells it.
            const QStringList &families = listedFamilies();
            for (const QString &standIn : QFont::substitutes(family)) {
                const auto match = std::find_if(families.begin(), families.end(), [&](const QString &name) {
                    return plainFamily(name).compare(standIn, Qt::CaseInsensitive) == 0;
                });
                if (match != families.end()) {
                    installed = plainFamily(*match);
                    break;
                }
            }
        }
        it = resolved.insert(family, installed);
    }
    return *it;
}

QFont designFont(const QString &family, qreal points, bool bold, bool italic)
{
    QFont font(installedFamily(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void shrinkToFit(QLabel *label, qreal smallestPoints)
{
    QFont font = label->font();
    const QRect area = label->contentsRect();
    while (font.pointSizeF() > smallestPoints
           && QFontMetrics(font).boundingRect(area, Qt::TextWordWrap, label->text()).height() > area.height())
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

bool InputGate::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return watched->isWidgetType() && m_blocked(static_cast<QWidget *>(watched));
    default:
        return false;
    }
}

} // namespace numbolo

