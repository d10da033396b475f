// What screen readers hear: a Greek accessible name for every control of the main window a
// person can use or read, and the tooltip as its description.

#include "controls/readablebox.h"
#include "game/announce.h"
#include "game/form1.h"

#include <QCoreApplication>

#include <initializer_list>
#include <utility>

namespace numbolo {

void applyAccessibleNames(Form1 &form)
{
    makeBoxesReadable(form, form.controlsOf<TextBox>());

    // Keys are named by what they do, as their captions are symbols; boxes by what they show.
    const std::pair<QWidget *, const char *> names[] = {
        {form.Command0, QT_TRANSLATE_NOOP("Form1", "Ψηφίο 0")},
        {form.Command1, QT_TRANSLATE_NOOP("Form1", "Ψηφίο 1")},
        {form.Command2, QT_TRANSLATE_NOOP("Form1", "Ψηφίο 2")},
        {form.Command3, QT_TRANSLATE_NOOP("Form1", "Ψηφίο 3")},
        {form.Command4, QT_TRANSLATE_NOOP("Form1", "Ψηφίο 4")},
        {form.Command5, QT_TRANSLATE_NOOP("Form1", "Ψηφίο 5")},
        {form.Command6, QT_TRANSLATE_NOOP("Form1", "Ψηφίο 6")},
        {form.Command7, QT_TRANSLATE_NOOP("Form1", "Ψηφίο 7")},
        {form.Command8, QT_TRANSLATE_NOOP("Form1", "Ψηφίο 8")},
        {form.Command9, QT_TRANSLATE_NOOP("Form1", "Ψηφίο 9")},
        {form.Command10, QT_TRANSLATE_NOOP("Form1", "Διαίρεση")},
        {form.Command11, QT_TRANSLATE_NOOP("Form1", "Πολλαπλασιασμός")},
        {form.Command12, QT_TRANSLATE_NOOP("Form1", "Αφαίρεση")},
        {form.Command13, QT_TRANSLATE_NOOP("Form1", "Πρόσθεση")},
        {form.Command14, QT_TRANSLATE_NOOP("Form1", "Υποδιαστολή")},
        {form.Command15, QT_TRANSLATE_NOOP("Form1", "Άνοιγμα παρένθεσης")},
        {form.Command16, QT_TRANSLATE_NOOP("Form1", "Κλείσιμο παρένθεσης")},
        {form.Command17, QT_TRANSLATE_NOOP("Form1", "Ίσον")},
        {form.Command18, QT_TRANSLATE_NOOP("Form1", "Διαγραφή τελευταίου χαρακτήρα")},
        {form.Command19, QT_TRANSLATE_NOOP("Form1", "Παύση χρονομέτρου")},
        {form.Command20, QT_TRANSLATE_NOOP("Form1", "Ύψωση σε δύναμη")},
        {form.CommandButton2, QT_TRANSLATE_NOOP("Form1", "Καθαρισμός")},
        {form.Text1, QT_TRANSLATE_NOOP("Form1", "Οθόνη πράξεων")},
        {form.Text15, QT_TRANSLATE_NOOP("Form1", "Χρονόμετρο, δευτερόλεπτα που απομένουν")},
        {form.Text17, QT_TRANSLATE_NOOP("Form1", "Τρέχουσα άσκηση")},
        {form.Text16, QT_TRANSLATE_NOOP("Form1", "Αριθμός ασκήσεων")},
        {form.Text14, QT_TRANSLATE_NOOP("Form1", "Μέγιστος αριθμός στόχος")},
    };
    for (const auto &[widget, name] : names)
        widget->setAccessibleName(QCoreApplication::translate("Form1", name));

    // The targets are numbered as they are read: left to right, top to bottom. Assistive
    // technology lists a frame's controls in stacking order, which starts as creation order;
    // raising the targets in reading order lists them in reading order too. They do not
    // overlap, so nothing on screen changes.
    int number = 0;
    for (TextBox *target : targetsInReadingOrder(form)) {
        target->setAccessibleName(QCoreApplication::translate("Form1", "Αριθμός στόχος %1").arg(++number));
        target->raise();
    }

    // The targets' frame, reached by Tab, says which targets remain, and keeps saying it as
    // they change.
    const auto describeTargets = [&form] { form.Frame4->setAccessibleDescription(remainingTargets(form)); };
    for (TextBox *target : targetsInReadingOrder(form))
        QObject::connect(target, &QLineEdit::textChanged, form.Frame4, describeTargets);
    describeTargets();

    // A frame inside a frame would otherwise be announced with the outer frame's caption.
    // Captions, like the tooltips below, are said as words.
    for (Frame *frame : form.controlsOf<Frame>())
        frame->setAccessibleName(spokenText(frame->title()));

    // Pictures and the credits label carry no text of their own: their tooltip names them.
    const std::initializer_list<QWidget *> clickables = {form.Image1, form.Image2, form.Image3, form.Image4,
                                                          form.Image5, form.Image6, form.Image7, form.Image8,
                                                          form.Label4};
    for (QWidget *clickable : clickables)
        clickable->setAccessibleName(spokenText(clickable->toolTip()));

    for (QObject *control : form.controls()) {
        auto *widget = qobject_cast<QWidget *>(control);
        if (widget != nullptr && !widget->toolTip().isEmpty())
            widget->setAccessibleDescription(spokenText(widget->toolTip()));
    }
    // The window by the program's name; its caption carries the version as well.
    form.setAccessibleName(spokenText(form.windowTitle()));
}

} // namespace numbolo
