// What assistive technology gets from the main window: Greek names, descriptions, roles, a
// press action on the pictures, text-change events; and Qt's own texts in Greek.

#include "app/setup.h"
#include "controls/qttexts.h"
#include "controls/windowlanguage.h"
#include "desktop/accessibleannouncer.h"
#include "game/announce.h"
#include "game/form1.h"
#include "tests/fakes.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

using namespace numbolo;
using namespace numbolo::testing;

namespace {

// State the game keeps in text boxes that are never shown.
const QStringList NeverShown = {QStringLiteral("Text12"), QStringLiteral("Text13"), QStringLiteral("Text18")};

// The widgets of the window that a person can use or read.
std::vector<QWidget *> perceivableControls(const Form1 &form)
{
    std::vector<QWidget *> found;
    for (QObject *control : form.controls()) {
        auto *widget = qobject_cast<QWidget *>(control);
        if (widget != nullptr && qobject_cast<Frame *>(widget) == nullptr && !NeverShown.contains(widget->objectName()))
            found.push_back(widget);
    }
    return found;
}

QString accessibleText(QWidget *widget, QAccessible::Text which)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface != nullptr ? iface->text(which) : QString();
}

// The accessibility events raised since the handler was installed, by the object they name.
std::multimap<QObject *, QAccessible::Event> raisedEvents;

void recordEvent(QAccessibleEvent *event)
{
    raisedEvents.emplace(event->object(), event->type());
}

// Records the events while it lives, in place of the platform bridge.
struct RecordingEvents {
    QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(recordEvent);
    ~RecordingEvents() { QAccessible::installUpdateHandler(previous); }
};

// Calls `seen` whenever an object of the name gets an event of the type, while it lives.
class EventWatch : public QObject {
public:
    EventWatch(QEvent::Type type, QString name, std::function<void(QObject *)> seen)
        : m_type(type), m_name(std::move(name)), m_seen(std::move(seen))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == m_type && watched->objectName() == m_name)
            m_seen(watched);
        return false;
    }

private:
    QEvent::Type m_type;
    QString m_name;
    std::function<void(QObject *)> m_seen;
};

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void controlsNamedInGreek_data();
    void controlsNamedInGreek();
    void namesAreUnique();
    void targetsNumberedInReadingOrder();
    void targetsFrameSaysWhatRemains_data();
    void targetsFrameSaysWhatRemains();
    void framesNamedByTheirCaption_data();
    void framesNamedByTheirCaption();
    void textChangesReachAssistiveTechnology_data();
    void textChangesReachAssistiveTechnology();
    void pressActionClicksPictures_data();
    void pressActionClicksPictures();

    void textFromAssistiveTechnology_data();
    void textFromAssistiveTechnology();
    void standardButtonsInGreek_data();
    void standardButtonsInGreek();
    void lineEditMenuInGreek_data();
    void lineEditMenuInGreek();

    void pressesActOnceInOrder_data();
    void pressesActOnceInOrder();
    void announcedOnce_data();
    void announcedOnce();
    void announcementShowsAsNotification();
    void announcerSpeaks_data();
    void announcerSpeaks();
    void boxesReadWhole_data();
    void boxesReadWhole();
};

void TestAccessibility::initTestCase()
{
    setupApplication();
}

void TestAccessibility::controlsNamedInGreek_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QAccessible::Role>("role");
    Started s;
    for (QWidget *widget : perceivableControls(*s.form)) {
        QAccessible::Role role = QAccessible::Button;
        if (qobject_cast<TextBox *>(widget) != nullptr)
            role = QAccessible::EditableText;
        QTest::newRow(qPrintable(widget->objectName())) << widget->objectName() << role;
    }
}

// Names are what a screen reader says, so a symbol caption ("x^y", "<X") or an empty picture
// would leave the control unusable; pictures and the label must also be pressable buttons.
void TestAccessibility::controlsNamedInGreek()
{
    QFETCH(QString, control);
    QFETCH(QAccessible::Role, role);
    Started s;
    auto *widget = s.form->findChild<QWidget *>(control);
    QVERIFY(widget != nullptr);

    const QString name = accessibleText(widget, QAccessible::Name);
    static const QRegularExpression greekWord(QStringLiteral("\\p{Greek}{3,}"));
    QVERIFY2(greekWord.match(name).hasMatch(), qPrintable(QStringLiteral("name: \"%1\"").arg(name)));
    static const QRegularExpression spelt(QStringLiteral("[-(:]|\\.\\.\\."));
    QVERIFY2(!name.contains(spelt), qPrintable(name)); // a screen reader says "παύλα", "κουκκίδα"
    // The tooltip, with its punctuation said as words.
    const QString description = accessibleText(widget, QAccessible::Description);
    QCOMPARE(description.section(QLatin1Char(' '), 0, 0), widget->toolTip().section(QLatin1Char(' '), 0, 0).remove(QStringLiteral("...")));
    QVERIFY2(!description.contains(spelt), qPrintable(description));
    QCOMPARE(QAccessible::queryAccessibleInterface(widget)->role(), role);
}

void TestAccessibility::namesAreUnique()
{
    Started s;
    std::map<QString, QString> owner;
    for (QWidget *widget : perceivableControls(*s.form)) {
        const QString name = accessibleText(widget, QAccessible::Name);
        const auto [it, fresh] = owner.emplace(name, widget->objectName());
        QVERIFY2(fresh, qPrintable(QStringLiteral("%1 and %2 are both \"%3\"").arg(it->second, widget->objectName(), name)));
    }
}

// Numbers follow the boxes' places on screen, rows top to bottom and left to right in a row,
// whatever their design names.
void TestAccessibility::targetsNumberedInReadingOrder()
{
    Started s;
    std::vector<TextBox *> boxes = s.form->targetBoxesByName();
    QCOMPARE(boxes.size(), std::size_t(8));
    std::sort(boxes.begin(), boxes.end(), [](TextBox *a, TextBox *b) { return a->y() < b->y(); });
    // Boxes whose tops lie within half a box height of a row's first box belong to that row.
    std::vector<std::vector<TextBox *>> rows;
    for (TextBox *box : boxes) {
        if (rows.empty() || box->y() > rows.back().front()->y() + box->height() / 2)
            rows.emplace_back();
        rows.back().push_back(box);
    }
    QStringList expected, actual;
    int number = 0;
    for (auto &row : rows) {
        std::sort(row.begin(), row.end(), [](TextBox *a, TextBox *b) { return a->x() < b->x(); });
        for (TextBox *box : row) {
            expected << QStringLiteral("%1: Αριθμός στόχος %2").arg(box->objectName()).arg(++number);
            actual << box->objectName() + QStringLiteral(": ") + accessibleText(box, QAccessible::Name);
        }
    }
    QCOMPARE(rows.size(), std::size_t(4));
    QCOMPARE(actual, expected);

    // Assistive technology walks the frame's children in this order as well.
    QAccessibleInterface *frame = QAccessible::queryAccessibleInterface(s.form->Frame4);
    QStringList listed;
    for (int i = 0; i < frame->childCount(); ++i)
        listed << frame->child(i)->text(QAccessible::Name);
    QStringList numbered;
    for (int n = 1; n <= 8; ++n)
        numbered << QStringLiteral("Αριθμός στόχος %1").arg(n);
    QCOMPARE(listed, numbered);
}

void TestAccessibility::targetsFrameSaysWhatRemains_data()
{
    QTest::addColumn<QStringList>("targets"); // Text2 to Text9
    QTest::addColumn<QString>("equals");      // typed and "=" pressed, when not empty
    QTest::addColumn<QString>("heard");
    const QStringList eight{"1", "7", "12", "2", "3", "6", "4", "7"};
    QTest::newRow("none") << QStringList{} << "" << "Δεν απομένει κανένας αριθμός στόχος.";
    QTest::newRow("eight, in reading order") << eight << "" << "Απομένουν οι αριθμοί στόχοι 7, 3, 1, 6, 2, 12, 4 και 7.";
    QTest::newRow("after a hit") << eight << "3*4" << "Απομένουν οι αριθμοί στόχοι 7, 3, 1, 6, 2, 4 και 7.";
    QTest::newRow("one, negative") << QStringList{"", "", "-45"} << "" << "Απομένει ο αριθμός στόχος μείον 45.";
}

// The targets are not in the Tab order, but their frame is: it says which of them remain, at
// any moment, in reading order, and keeps its caption as its name.
void TestAccessibility::targetsFrameSaysWhatRemains()
{
    QFETCH(QStringList, targets);
    QFETCH(QString, equals);
    QFETCH(QString, heard);
    Started s;
    Form1 &form = *s.form;
    startGame(form, QStringLiteral("10"), QStringLiteral("100"));
    setTargets(form, targets);
    if (!equals.isEmpty()) {
        form.Text1->setText(equals);
        click(form.Command17);
    }
    QVERIFY(form.Frame4->focusPolicy() & Qt::TabFocus);
    QCOMPARE(accessibleText(form.Frame4, QAccessible::Name), QStringLiteral("Αριθμοί Στόχοι"));
    QCOMPARE(accessibleText(form.Frame4, QAccessible::Description), heard);
}

void TestAccessibility::framesNamedByTheirCaption_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("spoken");
    // Said as words: no "παύλα" for a hyphen, no version number spelt out after every message.
    const std::map<QString, QString> asWords = {{QStringLiteral("Frame1"), QStringLiteral("Numbolo")},
                                                {QStringLiteral("Frame9"), QStringLiteral("Αριθμοί 0 έως")},
                                                {QStringLiteral("Frame4"), QStringLiteral("Αριθμοί Στόχοι")}};
    Started s;
    for (Frame *frame : s.form->controlsOf<Frame>()) {
        const auto word = asWords.find(frame->objectName());
        QTest::newRow(qPrintable(frame->objectName())) << frame->objectName()
                                                       << (word != asWords.end() ? word->second : frame->title());
    }
}

// Regression: Qt names a widget that has no name of its own after the group box around it, so
// the frames inside frames were announced with the outer frame's caption.
void TestAccessibility::framesNamedByTheirCaption()
{
    QFETCH(QString, frame);
    QFETCH(QString, spoken);
    Started s;
    auto *box = s.form->findChild<Frame *>(frame);
    QVERIFY(box != nullptr);
    QCOMPARE(accessibleText(box, QAccessible::Name), spoken);
}

void TestAccessibility::textChangesReachAssistiveTechnology_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("display") << QStringLiteral("Text1");
    QTest::newRow("countdown") << QStringLiteral("Text15");
    for (int i = 2; i <= 9; ++i) {
        const QString name = QStringLiteral("Text%1").arg(i);
        QTest::newRow(qPrintable(QStringLiteral("target ") + name)) << name;
    }
}

// The game writes these boxes itself; a screen reader only learns of the new text through an
// accessibility event.
void TestAccessibility::textChangesReachAssistiveTechnology()
{
    QFETCH(QString, control);
    Started s;
    auto *box = s.form->findChild<TextBox *>(control);
    QVERIFY(box != nullptr);
    QVERIFY(QAccessible::queryAccessibleInterface(box) != nullptr);

    // Qt raises accessibility events only while its platform bridge is active: under a
    // session with the AT-SPI registry (packaging/check-atspi.sh), not on the offscreen platform.
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && platform != QLatin1String("wayland"))
        QSKIP("no accessibility bridge on this platform");
    // The bridge turns active once its connection to the accessibility bus is made.
    QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 10000);
    // Filled, changed and emptied (a hit target empties): each change is announced.
    const RecordingEvents recording;
    for (const QString &text : {QString(), QStringLiteral("47"), QStringLiteral("52"), QString()}) {
        if (box->text() == text)
            continue;
        raisedEvents.clear();
        box->setText(text);
        const auto [first, last] = raisedEvents.equal_range(box);
        const bool announced = std::any_of(first, last, [](const auto &entry) {
            return entry.second == QAccessible::TextInserted || entry.second == QAccessible::TextRemoved
                || entry.second == QAccessible::TextUpdated || entry.second == QAccessible::ValueChanged;
        });
        QVERIFY2(announced, qPrintable(QStringLiteral("no text change event for \"%1\"").arg(text)));
    }
}

void TestAccessibility::pressActionClicksPictures_data()
{
    QTest::addColumn<bool>("windowEnabled");
    QTest::addColumn<bool>("soundsOnAfter");
    QTest::newRow("sounds switched off") << true << false;
    QTest::newRow("ignored while the window takes no input") << false << true;
}

// The press action of a picture is a click, and like a click it is blocked while the window
// takes no input (the success window is open).
void TestAccessibility::pressActionClicksPictures()
{
    QFETCH(bool, windowEnabled);
    QFETCH(bool, soundsOnAfter);
    Started s;
    QVERIFY(s.form->soundsOn());
    s.form->setFormEnabled(windowEnabled);

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(s.form->Image8);
    QAccessibleActionInterface *actions = iface != nullptr ? iface->actionInterface() : nullptr;
    QVERIFY(actions != nullptr);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents(); // the press acts from the event loop
    QCOMPARE(s.form->soundsOn(), soundsOnAfter);
}

void TestAccessibility::textFromAssistiveTechnology_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("moment");
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("taken");
    // Only the option boxes take text, and only while no game runs: a locked box, or one out
    // of reach, refuses text from a screen reader as it does from the keyboard.
    for (const char *way : {"set value", "replace", "insert", "delete"}) {
        for (const char *moment : {"no game", "game running", "success window open", "game ended", "question open",
                                   "tools folded"}) {
            for (const char *box : {"Text14", "Text16", "Text1", "Text15", "Text17"}) {
                const bool taken = QByteArray(moment) == "no game" && (QByteArray(box) == "Text14" || QByteArray(box) == "Text16");
                QTest::addRow("%s, %s, %s", box, moment, way) << box << moment << way << taken;
            }
        }
    }
}

void TestAccessibility::textFromAssistiveTechnology()
{
    QFETCH(QString, box);
    QFETCH(QString, moment);
    QFETCH(QString, way);
    QFETCH(bool, taken);
    Started s;
    Form1 &form = *s.form;
    form.Text16->setText(QStringLiteral("10"));
    form.Text14->setText(QStringLiteral("100"));
    if (moment == QLatin1String("game running") || moment == QLatin1String("success window open")
        || moment == QLatin1String("game ended")) {
        click(form.Image6);
        QCOMPARE(form.Text17->text(), QStringLiteral("1"));
    }
    if (moment == QLatin1String("success window open"))
        typeEveryTarget(form);
    if (moment == QLatin1String("game ended")) {
        form.Text17->setText(form.Text16->text());
        skipExercise(s.world, form);
        QVERIFY(!form.Frame1->isFrameEnabled());
    }
    // The unlocked option boxes too refuse text while a question is open or the strip that
    // holds them is folded away.
    if (moment == QLatin1String("tools folded"))
        click(form.Image7);
    auto *target = form.findChild<TextBox *>(box);
    target->setText(QStringLiteral("250"));

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(target);
    QVERIFY(iface != nullptr);
    QAccessibleEditableTextInterface *editable = iface->editableTextInterface();
    const auto edit = [&] {
        if (way == QLatin1String("set value"))
            iface->setText(QAccessible::Value, QStringLiteral("7"));
        else if (editable != nullptr && way == QLatin1String("replace"))
            editable->replaceText(0, 3, QStringLiteral("7"));
        else if (editable != nullptr && way == QLatin1String("insert"))
            editable->insertText(0, QStringLiteral("7"));
        else if (editable != nullptr)
            editable->deleteText(0, 1);
    };
    if (moment == QLatin1String("question open")) {
        s.world.messages.whileOpen = [&](const Message &) { edit(); };
        click(form.Image5); // the restart question
        QCOMPARE(s.world.messages.shown.size(), std::size_t(1));
    } else {
        edit();
    }

    const QString changed = way == QLatin1String("insert") ? QStringLiteral("7250")
        : way == QLatin1String("delete")                    ? QStringLiteral("50")
                                                            : QStringLiteral("7");
    QCOMPARE(target->text(), taken ? changed : QStringLiteral("250"));
    // The box reads back what it shows; the display after the end, the result whole.
    QCOMPARE(iface->text(QAccessible::Value), box == QLatin1String("Text1") && moment == QLatin1String("game ended")
                                                  ? QStringLiteral("Αποτελέσματα 0 τοις εκατό. Λύθηκαν 0 από 10 ασκήσεις.")
                                                  : target->text());
}

void TestAccessibility::standardButtonsInGreek_data()
{
    QTest::addColumn<QString>("language"); // the game's, as chosen at start-up; empty: left as set up
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("OK") << "" << int(QMessageBox::Ok) << QStringLiteral("Εντάξει");
    QTest::newRow("Cancel") << "" << int(QMessageBox::Cancel) << QStringLiteral("Ακύρωση");
    QTest::newRow("Yes") << "" << int(QMessageBox::Yes) << QStringLiteral("&Ναι");
    QTest::newRow("No") << "" << int(QMessageBox::No) << QStringLiteral("Ό&χι");
    QTest::newRow("Close") << "" << int(QMessageBox::Close) << QStringLiteral("Κλείσιμο");
    QTest::newRow("Greek chosen") << "el" << int(QMessageBox::No) << QStringLiteral("Ό&χι");
    QTest::newRow("English chosen") << "en" << int(QMessageBox::No) << QStringLiteral("&No");
    QTest::newRow("English, OK") << "en" << int(QMessageBox::Ok) << QStringLiteral("OK");
}

// Run under the C locale (see main): Qt's texts are Greek whatever the user's locale.
void TestAccessibility::standardButtonsInGreek()
{
    QFETCH(QString, language);
    QFETCH(int, button);
    QFETCH(QString, text);
    if (!language.isEmpty())
        useQtTextsOf(language);
    const auto greekAgain = qScopeGuard([] { useQtTextsOf(u"el"); });
    QMessageBox box;
    box.setStandardButtons(QMessageBox::StandardButton(button));
    QAbstractButton *shown = box.button(QMessageBox::StandardButton(button));
    QVERIFY(shown != nullptr);
    QCOMPARE(shown->text(), text);
}

void TestAccessibility::lineEditMenuInGreek_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("undo") << QStringLiteral("&Αναίρεση");
    QTest::newRow("redo") << QStringLiteral("Ε&πανάληψη");
    QTest::newRow("cut") << QStringLiteral("Απο&κοπή");
    QTest::newRow("copy") << QStringLiteral("Αντι&γραφή");
    QTest::newRow("paste") << QStringLiteral("Επι&κόλληση");
    QTest::newRow("delete") << QStringLiteral("Διαγραφή");
    QTest::newRow("select all") << QStringLiteral("Επιλογή όλων");
}

void TestAccessibility::lineEditMenuInGreek()
{
    QFETCH(QString, text);
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList shown;
    for (const QAction *action : menu->actions())
        shown << action->text().section(QLatin1Char('\t'), 0, 0); // without the key sequence
    QVERIFY2(shown.contains(text), qPrintable(shown.join(QStringLiteral(" | "))));
}

void TestAccessibility::pressesActOnceInOrder_data()
{
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QString>("whileAsked"); // pressed in the picker while the skip question is open
    QTest::addColumn<QString>("display");
    QTest::newRow("3, 2, 2, 3 within 100 ms") << QStringList{"Command3", "Command2", "Command2", "Command3"} << "" << "3223";
    QTest::newRow("a key just before the red arrow") << QStringList{"Command5", "Image6"} << "" << "5";
    // Regression: the picker, as the active window, was the question's parent; a swatch or its
    // close button then deleted it under the open question (a double free).
    QTest::newRow("picker, red arrow, swatch") << QStringList{"Image2", "Image6"} << "swatch" << "";
    QTest::newRow("picker, red arrow, close") << QStringList{"Image2", "Image6"} << "close" << "";
}

// A screen reader's presses come quicker than Qt's animated click (100 ms): each one acts once,
// in the order it came, and nothing in any window acts behind a question. The bridge makes each
// control's interface as the control announces its caption, before the window is whole: the
// window must install its factory before it makes a control.
void TestAccessibility::pressesActOnceInOrder()
{
    QFETCH(QStringList, presses);
    QFETCH(QString, whileAsked);
    QFETCH(QString, display);
    QAccessible::removeFactory(pressableButtonInterface);
    const auto previous = QAccessible::installUpdateHandler([](QAccessibleEvent *event) { event->accessibleInterface(); });
    QAccessible::setActive(true);
    Started s;
    QAccessible::setActive(false);
    QAccessible::installUpdateHandler(previous);
    Form1 &form = *s.form;
    startGame(form, QStringLiteral("10"), QStringLiteral("100"));
    enableAllKeys(form);
    const VbColor colour = form.backColor();
    const auto press = [](QWidget *control) {
        QAccessible::queryAccessibleInterface(control)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    };
    QString shownWhenAsked;
    s.world.messages.whileOpen = [&](const Message &) {
        shownWhenAsked = form.Text1->text();
        if (whileAsked == QLatin1String("swatch"))
            press(form.colourDialog()->CommandButton1[0]);
        else if (whileAsked == QLatin1String("close"))
            form.colourDialog()->Command1->click();
        QCoreApplication::processEvents();
    };
    s.world.messages.answers = {MessageAnswer::No};
    for (const QString &name : presses)
        press(form.findChild<QWidget *>(name));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(form.Text1->text(), display);
    const bool asked = presses.contains(QStringLiteral("Image6"));
    QCOMPARE(s.world.messages.shown.size(), std::size_t(asked));
    QCOMPARE(shownWhenAsked, asked ? display : QString());
    if (!whileAsked.isEmpty()) {
        QVERIFY(form.colourDialog() != nullptr && form.colourDialog()->isVisible());
        QCOMPARE(form.backColor(), colour);
    }
}

void TestAccessibility::announcedOnce_data()
{
    QTest::addColumn<QString>("moment");
    QTest::addColumn<QStringList>("said"); // patterns, one per announcement, in order
    const QString exercise = QStringLiteral("^Άσκηση %1 από 10\\. Αριθμοί στόχοι (\\d+, ){6}\\d+ και \\d+\\. "
                                            "Πλήκτρα ([0-9], ){2,4}[0-9], (διά|επί|μείον|συν)( και | )?(διά|επί|μείον|συν)\\.$");
    QTest::newRow("game start") << "start" << QStringList{exercise.arg(1)};
    QTest::newRow("skip") << "skip" << QStringList{exercise.arg(1), exercise.arg(2)};
    QTest::newRow("resumed at start-up") << "resume" << QStringList{exercise.arg(3)};
    QTest::newRow("miss") << "=9" << QStringList{QStringLiteral("^9\\.$")};
    // A hit is said by its value, with the targets that remain by theirs, in reading order.
    QTest::newRow("hit, evaluated") << "=3*4"
                                    << QStringList{QStringLiteral("^Βρήκες το 12\\. Απομένουν οι αριθμοί στόχοι 7, 3, 1, 6, 2, 4 και 7\\.$")};
    QTest::newRow("two hits, reading order")
        << "=7" << QStringList{QStringLiteral("^Βρήκες το 7, δύο φορές\\. Απομένουν οι αριθμοί στόχοι 3, 1, 6, 2, 12 και 4\\.$")};
    QTest::newRow("hit, one target left")
        << "=1+2, one left" << QStringList{QStringLiteral("^Βρήκες το 3\\. Απομένει ο αριθμός στόχος 9\\.$")};
    QTest::newRow("negative") << "=0-45" << QStringList{QStringLiteral("^μείον 45\\.$")};
    // The last target: the hit is said at once, before the success window opens and is read.
    QTest::newRow("last hit, before the success window")
        << "=last" << QStringList{QStringLiteral("^Βρήκες το 12\\.$")};
    QTest::newRow("empty display") << "=" << QStringList{QStringLiteral("^Η οθόνη είναι άδεια\\. Γράψε πρώτα μια πράξη\\.$")};
    QTest::newRow("no value")
        << "=7+" << QStringList{QStringLiteral("^7 συν\\. Δεν βγαίνει αποτέλεσμα\\. Η οθόνη έμεινε ίδια\\.$")};
    QTest::newRow("countdown, three moments")
        << "countdown"
        << QStringList{QStringLiteral("^Απομένουν 60 δευτερόλεπτα\\.$"), QStringLiteral("^Απομένουν 30 δευτερόλεπτα\\.$"),
                       QStringLiteral("^Απομένουν 10 δευτερόλεπτα\\.$"), exercise.arg(2)};
    // A parent's longer time: fewer, later reminders; no limit: none, and none when paused.
    QTest::newRow("countdown, 6 minutes")
        << "countdown|360"
        << QStringList{QStringLiteral("^Απομένουν 3 λεπτά\\.$"), QStringLiteral("^Απομένουν 60 δευτερόλεπτα\\.$"),
                       QStringLiteral("^Απομένουν 30 δευτερόλεπτα\\.$"), QStringLiteral("^Απομένουν 10 δευτερόλεπτα\\.$"),
                       exercise.arg(2)};
    QTest::newRow("countdown, 30 minutes")
        << "countdown|1800"
        << QStringList{QStringLiteral("^Απομένουν 5 λεπτά\\.$"), QStringLiteral("^Απομένουν 60 δευτερόλεπτα\\.$"),
                       QStringLiteral("^Απομένουν 30 δευτερόλεπτα\\.$"), exercise.arg(2)};
    QTest::newRow("countdown, no limit") << "countdown|0" << QStringList{};
    QTest::newRow("pause, no limit") << "pause|0" << QStringList{QStringLiteral("^Χωρίς όριο χρόνου\\.$")};
    // The time of an exercise is said once at the start of a game, where a parent changed it.
    QTest::newRow("game start, 6 minutes") << "start|360" << QStringList{QStringLiteral("^Χρόνος ανά άσκηση 6 λεπτά\\.$"), exercise.arg(1)};
    QTest::newRow("game start, 3 minutes as designed") << "start|180" << QStringList{exercise.arg(1)};
    QTest::newRow("game start, no limit") << "start|0" << QStringList{QStringLiteral("^Χωρίς όριο χρόνου\\.$"), exercise.arg(1)};
    QTest::newRow("resumed at start-up, 30 minutes")
        << "resume|1800" << QStringList{QStringLiteral("^Χρόνος ανά άσκηση 30 λεπτά\\.$"), exercise.arg(3)};
    QTest::newRow("pause and resume")
        << "pause" << QStringList{QStringLiteral("^Το χρονόμετρο σταμάτησε\\. Απομένουν 2 λεπτά και 57 δευτερόλεπτα\\. "
                                                 "Για να συνεχίσεις, πάτησε ένα ψηφίο από το 1 έως το 9\\.$"),
                                  QStringLiteral("^Το χρονόμετρο συνεχίζει\\. Απομένουν 2 λεπτά και 57 δευτερόλεπτα\\.$")};
    QTest::newRow("pause twice")
        << "pause twice" << QStringList{QStringLiteral("^Το χρονόμετρο σταμάτησε\\. Απομένουν 2 λεπτά και 57 δευτερόλεπτα\\. .*$"),
                                        QStringLiteral("^Το χρονόμετρο είναι ήδη σταματημένο\\. Απομένουν 2 λεπτά και 57 "
                                                       "δευτερόλεπτα\\. Για να συνεχίσεις, πάτησε ένα ψηφίο από το 1 έως το 9\\.$"),
                                        QStringLiteral("^Το χρονόμετρο συνεχίζει\\. .*$")};
    // A minute left, after its reminder: no seconds, and the singular.
    QTest::newRow("pause, one whole minute")
        << "pause after two minutes" << QStringList{QStringLiteral("^Απομένουν 60 δευτερόλεπτα\\.$"),
                                                    QStringLiteral("^Το χρονόμετρο σταμάτησε\\. Απομένει 1 λεπτό\\. .*$"),
                                                    QStringLiteral("^Το χρονόμετρο συνεχίζει\\. Απομένει 1 λεπτό\\.$")};
    QTest::newRow("restart") << "restart"
                             << QStringList{QStringLiteral("^Το παιχνίδι μηδενίστηκε\\. Για νέο παιχνίδι, γράψε τον αριθμό "
                                                           "ασκήσεων και τον μέγιστο αριθμό στόχο, και πάτησε Νέα άσκηση\\.$")};
    const QString afterTheEnd = QStringLiteral("Για να κλείσεις το παιχνίδι, πάτησε Alt και F4\\. "
                                               "Την επόμενη φορά θα ξεκινήσει νέο παιχνίδι\\.$");
    const QString end = QStringLiteral("^Τέλος του παιχνιδιού\\. Αποτελέσματα 0 τοις εκατό\\. Λύθηκαν 0 από 10 ασκήσεις\\. Τα πλήκτρα δεν δουλεύουν πια\\. ")
        + afterTheEnd;
    QTest::newRow("game end, once") << "end" << QStringList{end};
    // Whatever the child presses after the end, and however, they hear that it is over.
    const QString over = QStringLiteral("^Το παιχνίδι τελείωσε\\. ") + afterTheEnd;
    for (const Way way : {Way::Keyboard, Way::Mouse, Way::AccessiblePress})
        QTest::addRow("pressed after the end, %s", qPrintable(wayName(way))) << "end, " + wayName(way) << QStringList{end, over};
    QTest::newRow("credits") << "credits"
                             << QStringList{QStringLiteral("^Numbolo\\. Educational Game for kids\\. Author The Numbolo Team\\. .*shared\\.$")};
}

// What a screen-reader user hears where the focused control says nothing: each change once, in
// Greek, the targets by the numbers of their accessible names.
void TestAccessibility::announcedOnce()
{
    QFETCH(QString, moment);
    QFETCH(QStringList, said);
    World world;
    // "<moment>|<seconds>": with the time of an exercise a parent chose.
    const int seconds = moment.contains(u'|') ? moment.section(u'|', 1).toInt() : 180;
    if (moment.contains(u'|'))
        world.storeParents({{"secondsPerExercise", moment.section(u'|', 1)}});
    moment = moment.section(u'|', 0, 0);
    if (moment == QLatin1String("resume"))
        world.store({{"Level", "1.5"}, {"score", "2"}, {"maxnums", "100"}, {"cur", "3"}, {"nums", "40"}, {"reps", "10"}});
    std::unique_ptr<Form1> form = shownWindowWithFont(world);
    if (moment != QLatin1String("credits") && moment != QLatin1String("resume"))
        startGame(*form, QStringLiteral("10"), QStringLiteral("100"));
    if (moment == QLatin1String("=last")) {
        // What was spoken at once when the success window showed.
        std::size_t spokenWhenShown = 0;
        const EventWatch shown(QEvent::Show, QStringLiteral("Form3"), [&](QObject *) { spokenWhenShown = world.announcer.spokenAtOnce; });
        setTargets(*form, {QString(), QStringLiteral("12")});
        world.announcer.said.clear();
        form->Text1->setText(QStringLiteral("3*4"));
        click(form->Command17);
        QVERIFY(form->successWindow() != nullptr);
        QCOMPARE(spokenWhenShown, std::size_t(1));
    } else if (moment.startsWith(QLatin1Char('='))) {
        // Text2 to Text9; in reading order Text3 is the first target, Text4 the sixth, Text9 the
        // last, and the window lists Text9 before Text3.
        if (moment.endsWith(QLatin1String(", one left")))
            setTargets(*form, {QString(), QString(), QString(), QString(), QStringLiteral("3"), QString(), QString(),
                               QStringLiteral("9")});
        else
            setTargets(*form, {QStringLiteral("1"), QStringLiteral("7"), QStringLiteral("12"), QStringLiteral("2"),
                               QStringLiteral("3"), QStringLiteral("6"), QStringLiteral("4"), QStringLiteral("7")});
        world.announcer.said.clear();
        form->Text1->setText(moment.mid(1).section(QLatin1Char(','), 0, 0));
        click(form->Command17);
    } else if (moment.startsWith(QLatin1String("pause"))) {
        world.announcer.said.clear();
        click(usableDigit(*form));
        world.clock.advance(moment.endsWith(QLatin1String("two minutes")) ? 120'000 : 3000);
        click(form->Command19);
        world.clock.advance(5000);
        if (moment.endsWith(QLatin1String("twice")))
            click(form->Command19);
        click(usableDigit(*form));
    } else if (moment == QLatin1String("restart")) {
        world.announcer.said.clear();
        world.messages.answers = {MessageAnswer::Yes};
        click(form->Image5);
    } else if (moment.startsWith(QLatin1String("end, "))) {
        form->Text17->setText(QStringLiteral("10"));
        world.announcer.said.clear();
        skipExercise(world, *form);
        // The red arrow by keyboard, a key by mouse, the restart picture by a screen reader.
        const std::pair<Way, QWidget *> pressed[] = {
            {Way::Keyboard, form->Image6}, {Way::Mouse, form->Command7}, {Way::AccessiblePress, form->Image5}};
        for (const auto &[way, control] : pressed)
            if (moment.endsWith(wayName(way)))
                activate(control, way);
    } else if (moment == QLatin1String("skip")) {
        skipExercise(world, *form);
    } else if (moment == QLatin1String("countdown")) {
        world.announcer.said.clear();
        click(usableDigit(*form));
        world.clock.advance(std::max(seconds, 180) * 1000); // to the time-out, and the next exercise
    } else if (moment == QLatin1String("end")) {
        form->Text17->setText(QStringLiteral("10"));
        world.announcer.said.clear();
        skipExercise(world, *form);
        world.clock.advance(10 * 60'000); // the animation loops many times
    } else if (moment == QLatin1String("credits")) {
        click(form->Label4);
        world.clock.advance(60'000);
    }
    const std::vector<QString> &heard = world.announcer.said;
    QCOMPARE(qsizetype(heard.size()), said.size());
    for (qsizetype i = 0; i < said.size(); ++i)
        QVERIFY2(QRegularExpression(said[i]).match(heard[std::size_t(i)]).hasMatch(), qPrintable(heard[std::size_t(i)]));
}

// The real announcer: texts that come together appear together, a moment later, as the name of
// a notification that shows (what Orca speaks); nothing at all while no screen reader listens.
void TestAccessibility::announcementShowsAsNotification()
{
    FakeClock clock;
    QWidget window;
    window.show();
    bool listening = false;
    AccessibleAnnouncer announcer(clock, [&listening] { return listening; });
    announcer.announce(QStringLiteral("Άσκηση 2 από 10."), window);
    clock.advance(10'000);
    QVERIFY(announcer.notice() == nullptr);

    listening = true;
    announcer.announce(QStringLiteral("7."), window);
    announcer.announce(QStringLiteral("Άσκηση 2 από 10."), window);
    clock.advance(AccessibleAnnouncer::DelayMs - 1);
    QVERIFY(announcer.notice() == nullptr);
    clock.advance(1);
    QWidget *notice = announcer.notice();
    QVERIFY(notice != nullptr);
    QCOMPARE(notice->window(), &window);
    QVERIFY(notice->isVisible());
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(notice);
    QCOMPARE(iface->role(), QAccessible::Notification);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("7. Άσκηση 2 από 10."));
    QVERIFY(notice->focusPolicy() == Qt::NoFocus);

    struct CountShows : QObject {
        int count = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            count += event->type() == QEvent::Show ? 1 : 0;
            return false;
        }
    } shows;
    notice->installEventFilter(&shows);
    announcer.announce(QStringLiteral("Απομένουν 30 δευτερόλεπτα."), window);
    clock.advance(AccessibleAnnouncer::DelayMs);
    QCOMPARE(announcer.notice(), notice);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Απομένουν 30 δευτερόλεπτα."));
    QCOMPARE(shows.count, 1); // it showed anew: the screen reader speaks on showing
}

void TestAccessibility::announcerSpeaks_data()
{
    QTest::addColumn<QStringList>("steps"); // "say <text>", "echo <text>", "wait <ms>", "now"
    QTest::addColumn<QStringList>("shown"); // "notice: <text>" or "read-back: <text>", as they showed
    QTest::newRow("a read-back, alone") << QStringList{"echo 7", "wait 150"} << QStringList{"read-back: 7"};
    QTest::newRow("quick keys, no backlog")
        << QStringList{"echo 7", "wait 100", "echo 74", "wait 100", "echo 74 συν", "wait 149"} << QStringList{};
    QTest::newRow("quick keys, the last said")
        << QStringList{"echo 7", "wait 100", "echo 74", "wait 100", "echo 74 συν", "wait 150"} << QStringList{"read-back: 74 συν"};
    QTest::newRow("a read-back after an announcement, together")
        << QStringList{"say 74. Βρήκες τον αριθμό στόχο 3.", "echo 74 συν", "wait 400"}
        << QStringList{"notice: 74. Βρήκες τον αριθμό στόχο 3. 74 συν"};
    QTest::newRow("a read-back before an announcement, in order")
        << QStringList{"echo 5", "say Το χρονόμετρο συνεχίζει.", "wait 400"} << QStringList{"notice: 5. Το χρονόμετρο συνεχίζει."};
    QTest::newRow("a read-back does not hurry an announcement")
        << QStringList{"say Το χρονόμετρο συνεχίζει.", "echo 5", "wait 399"} << QStringList{};
    QTest::newRow("said at once") << QStringList{"say 12. Βρήκες τον αριθμό στόχο 1.", "now"}
                                  << QStringList{"notice: 12. Βρήκες τον αριθμό στόχο 1."};
    QTest::newRow("the same text twice, once")
        << QStringList{"say Το παιχνίδι τελείωσε.", "wait 100", "say Το παιχνίδι τελείωσε.", "wait 400"}
        << QStringList{"notice: Το παιχνίδι τελείωσε."};
}

// The real announcer's read-backs: briefly, in a status bar (where a screen reader says a
// notification without calling it one), the newest in place of one not yet spoken; together
// with announcements, in order; and spoken at once when asked.
void TestAccessibility::announcerSpeaks()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, shown);
    FakeClock clock;
    QWidget window;
    window.show();
    AccessibleAnnouncer announcer(clock, [] { return true; });
    QStringList seen;
    const EventWatch watch(QEvent::Show, QStringLiteral("announcement"), [&seen](QObject *notice) {
        QAccessibleInterface *parent = QAccessible::queryAccessibleInterface(notice)->parent();
        QCOMPARE(QAccessible::queryAccessibleInterface(notice)->role(), QAccessible::Notification);
        seen << (parent->role() == QAccessible::StatusBar ? QStringLiteral("read-back: ") : QStringLiteral("notice: "))
                + static_cast<QWidget *>(notice)->accessibleName();
    });
    for (const QString &step : steps) {
        const QString word = step.section(QLatin1Char(' '), 0, 0), rest = step.section(QLatin1Char(' '), 1);
        if (word == QLatin1String("say"))
            announcer.announce(rest, window);
        else if (word == QLatin1String("echo"))
            announcer.echo(rest, window);
        else if (word == QLatin1String("wait"))
            clock.advance(rest.toInt());
        else
            announcer.speakNow();
    }
    QCOMPARE(seen, shown);
}

void TestAccessibility::boxesReadWhole_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<QString>("language"); // the windows' language; empty: none reported
    QTest::newRow("countdown") << "Text15" << "180" << false << "";
    QTest::newRow("exercise counter") << "Text17" << "10" << false << "";
    QTest::newRow("display") << "Text1" << "319" << false << "";
    QTest::newRow("range, unlocked") << "Text14" << "-9999" << true << "";
    QTest::newRow("empty target") << "Text2" << "" << false << "";
    QTest::newRow("display, in English") << "Text1" << "319" << false << "en";
    QTest::newRow("range, in Greek") << "Text14" << "-9999" << true << "el";
}

// A screen reader reads a box by its runs of text attributes; an empty run dropped the last
// digit ("18" for 180). A box that takes no typing is not editable (its ticks are not read
// out) and keeps its text unselected when Tab reaches it ("Text unselected" was read).
void TestAccessibility::boxesReadWhole()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(bool, editable);
    QFETCH(QString, language);
    useWindowLanguage(language);
    const auto none = qScopeGuard([] { useWindowLanguage(u""); });
    Started s;
    auto *target = s.form->findChild<TextBox *>(box);
    target->setText(text);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(target);
    QAccessibleTextInterface *textIface = iface->textInterface();
    QVERIFY(textIface != nullptr);
    QCOMPARE(textIface->characterCount(), int(text.size()));
    QCOMPARE(textIface->text(0, textIface->characterCount()), text);
    for (int offset = 0; offset <= int(text.size()); ++offset) {
        int start = -1, end = -1;
        const QString attributes = textIface->attributes(offset, &start, &end);
        QCOMPARE(attributes, language.isEmpty() ? QString() : QStringLiteral("language:%1;").arg(language));
        QCOMPARE(start, 0);
        QCOMPARE(end, int(text.size()));
    }
    QCOMPARE(iface->state().editable, editable);

    QFocusEvent tab(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(target, &tab);
    QCOMPARE(target->hasSelectedText(), editable && !text.isEmpty());
}

int main(int argc, char *argv[])
{
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    qputenv("LANGUAGE", "");
    QApplication app(argc, argv);
    TestAccessibility test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_accessibility.moc"
