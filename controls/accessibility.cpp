#include "controls/accessibility.h"

#include "controls/buttons.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>

namespace numbolo {

namespace {

// A button of the game (a key, a picture, the credits label, a swatch), presented as a push
// button whose press action is a click. Qt's own button interface presses with an animated
// click that acts 100 ms later, so a quick press on another control overtook it; here each
// press is queued as it comes and acts once, in order. The click goes through the game's gate
// like a mouse click: a screen reader or a switch device can press whatever the mouse could,
// and nothing more.
class PressableAccessible : public QAccessibleWidget {
public:
    explicit PressableAccessible(QAbstractButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString &action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // The click runs from the event loop, after the reply to the screen reader has gone:
        // a handler may open a question and wait for its answer, and the screen reader must
        // not wait with it (it has to read the question out).
        auto *button = static_cast<QAbstractButton *>(widget());
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = static_cast<QAbstractButton *>(widget())->isDown();
        return state;
    }
};

} // namespace

QAccessibleInterface *pressableButtonInterface(const QString &className, QObject *object)
{
    static const QStringList pressable{QLatin1String(ImageButton::staticMetaObject.className()),
                                       QLatin1String(ClickLabel::staticMetaObject.className()),
                                       QLatin1String(PushButton::staticMetaObject.className()),
                                       QLatin1String(FormsButton::staticMetaObject.className())};
    if (object->isWidgetType() && pressable.contains(className))
        return new PressableAccessible(static_cast<QAbstractButton *>(object));
    return nullptr;
}

void installPressableButtons()
{
    QAccessible::installFactory(pressableButtonInterface); // once: Qt skips a factory it has
}

void showToAssistiveTechnology(QWidget *widget)
{
    widget->show();
    // Qt's AT-SPI bridge signals only "showing" when a widget appears, and a screen reader that
    // met the widget hidden keeps it "not visible" for good. The widget gets a new accessible
    // object instead, announced as a new child, which the screen reader reads afresh.
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface *old = QAccessible::queryAccessibleInterface(widget)) {
        QAccessibleEvent gone(old, QAccessible::ObjectDestroyed);
        QAccessible::updateAccessibility(&gone);
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
    }
    QAccessibleEvent created(widget, QAccessible::ObjectCreated);
    QAccessible::updateAccessibility(&created);
}

} // namespace numbolo
