#include "controls/readablebox.h"

#include "controls/textbox.h"
#include "controls/windowlanguage.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QFontMetrics>

namespace numbolo {

namespace {

// What Qt offers for a line edit, with the whole text as a single attribute run. Text from a
// screen reader goes through the line edit's own setText, so the box's edit gate sees it as it
// sees typing.
class BoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface, public QAccessibleEditableTextInterface {
public:
    explicit BoxAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text which) const override
    {
        return which == QAccessible::Value ? box()->spokenText() : QAccessibleWidget::text(which);
    }

    void setText(QAccessible::Text which, const QString &text) override
    {
        if (which != QAccessible::Value) {
            QAccessibleWidget::setText(which, text);
            return;
        }
        edit()->setText(text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        // A box that takes no typing is not editable: a screen reader then reads the new text
        // of a focused box only where the game announces it (the countdown's ticks would
        // otherwise be read every second).
        state.readOnly = edit()->isReadOnly();
        state.editable = !edit()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    // ---- Text ----
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        Q_UNUSED(offset);
        *startOffset = 0;
        *endOffset = characterCount();
        const QString language = windowLanguage();
        return language.isEmpty() ? QString() : QStringLiteral("language:%1;").arg(language);
    }
    int characterCount() const override { return int(box()->spokenText().size()); }
    QString text(int startOffset, int endOffset) const override
    {
        return box()->spokenText().mid(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (index != 0 || !edit()->hasSelectedText())
            return;
        *startOffset = edit()->selectionStart();
        *endOffset = *startOffset + edit()->selectionLength();
    }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int index) override
    {
        if (index == 0)
            edit()->deselect();
    }
    void setSelection(int index, int startOffset, int endOffset) override
    {
        if (index == 0)
            edit()->setSelection(startOffset, endOffset - startOffset);
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        edit()->setCursorPosition(endIndex);
        edit()->setCursorPosition(startIndex);
    }
    int offsetAtPoint(const QPoint &point) const override { return edit()->cursorPositionAt(edit()->mapFromGlobal(point)); }
    // The box lays out one line of text in its contents, as aligned; a long text that scrolls
    // is measured from the left edge.
    QRect characterRect(int offset) const override
    {
        const QLineEdit *box = edit();
        const QString shown = box->displayText();
        if (offset < 0 || offset >= shown.size())
            return {};
        const QFontMetrics metrics(box->font());
        const QRect inside = box->contentsRect().marginsRemoved(box->textMargins());
        const int width = metrics.horizontalAdvance(shown);
        int left = inside.left();
        if (box->alignment() & Qt::AlignHCenter)
            left += std::max(0, (inside.width() - width) / 2);
        else if (box->alignment() & Qt::AlignRight)
            left += std::max(0, inside.width() - width);
        const QRect character(left + metrics.horizontalAdvance(shown.left(offset)),
                              inside.top() + (inside.height() - metrics.height()) / 2,
                              metrics.horizontalAdvance(shown.mid(offset, 1)), metrics.height());
        return {box->mapToGlobal(character.topLeft()), character.size()};
    }

    // ---- Editable text ----
    void deleteText(int startOffset, int endOffset) override
    {
        edit()->setText(edit()->text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString &text) override { edit()->setText(edit()->text().insert(offset, text)); }
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        edit()->setText(edit()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    // The line edit itself, whose setText is the path of text from outside the program.
    QLineEdit *edit() const { return static_cast<QLineEdit *>(widget()); }
    const TextBox *box() const { return static_cast<const TextBox *>(widget()); }
};

QAccessibleInterface *boxFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(TextBox::staticMetaObject.className()) && object->isWidgetType())
        return new BoxAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

// A line edit selects its whole text when Tab reaches it, and a screen reader then says the
// selection and, on leaving, "Text unselected". A read-only box has nothing to replace, so it
// takes such a focus as a plain one and keeps its text unselected.
class NoSelectionOnTab : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::FocusIn)
            return false;
        auto *box = qobject_cast<TextBox *>(watched);
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (box == nullptr || !box->isReadOnly()
            || (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::ShortcutFocusReason))
            return false;
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(box, &plain);
        return true;
    }
};

} // namespace

void installReadableBoxes()
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(boxFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}

void makeBoxesReadable(QObject &owner, const std::vector<TextBox *> &boxes)
{
    installReadableBoxes();
    auto *filter = new NoSelectionOnTab(&owner);
    for (TextBox *box : boxes)
        box->installEventFilter(filter);
}

} // namespace numbolo
