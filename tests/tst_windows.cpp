// The success window, the tool strip and sound switch, restart, the colour picker, the help
// window and the credits, driven through the real widgets.

#include "app/setup.h"
#include "game/form1.h"
#include "tests/fakes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QTest>

#include <cmath>

using namespace numbolo;
using namespace numbolo::testing;

namespace {

// Hits every remaining target through "=": the display is set to each target's text in turn.
void solveExercise(Form1 &form)
{
    for (TextBox *box : form.targetBoxesByName()) {
        if (box->text().isEmpty())
            continue;
        form.Text1->setText(box->text());
        click(form.Command17);
    }
}

void deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Counts the shown windows of one name, owned ones (the success window) included.
int visibleWindowsNamed(const QString &name)
{
    int count = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        count += window->objectName() == name && window->isVisible();
    return count;
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

QString hex(VbColor color)
{
    return QStringLiteral("0x%1").arg(color, 6, 16, QLatin1Char('0'));
}

// Every colour the picker may touch: the window's, each frame's, each text box's two.
QMap<QString, QString> colours(const Form1 &form)
{
    QMap<QString, QString> colours{{QStringLiteral("Form1 back"), hex(form.backColor())}};
    for (Frame *frame : form.controlsOf<Frame>())
        colours[frame->objectName() + QStringLiteral(" back")] = hex(frame->backColor());
    for (TextBox *box : form.controlsOf<TextBox>()) {
        colours[box->objectName() + QStringLiteral(" back")] = hex(box->backColor());
        colours[box->objectName() + QStringLiteral(" fore")] = hex(box->foreColor());
    }
    return colours;
}

// The state that restart may or may not touch, one "name: value" line per item.
QMap<QString, QString> gameState(const Form1 &form)
{
    QMap<QString, QString> state;
    for (TextBox *box : form.controlsOf<TextBox>()) {
        state[box->objectName()] = box->text();
        state[box->objectName() + QStringLiteral(" locked")] = yesNo(box->isLocked());
    }
    for (PushButton *key : form.controlsOf<PushButton>())
        state[key->objectName() + QStringLiteral(" enabled")] = yesNo(key->isEnabled());
    for (Frame *frame : form.controlsOf<Frame>())
        state[frame->objectName() + QStringLiteral(" enabled")] = yesNo(frame->isFrameEnabled());
    for (ImageButton *image : form.controlsOf<ImageButton>())
        state[image->objectName() + QStringLiteral(" shown")] = yesNo(!image->isHidden());
    state[QStringLiteral("Timer1 enabled")] = yesNo(form.Timer1->isEnabled());
    state[QStringLiteral("window width")] = QString::number(form.width());
    state.insert(colours(form));
    return state;
}

QStringList lines(const QMap<QString, QString> &state)
{
    QStringList result;
    for (auto it = state.begin(); it != state.end(); ++it)
        result << it.key() + QStringLiteral(": ") + it.value();
    return result;
}

// Calls `seen` when the watched window is about to close or hide.
class ClosingWatch : public QObject {
public:
    explicit ClosingWatch(std::function<void()> seen) : m_seen(std::move(seen)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Close || event->type() == QEvent::Hide)
            m_seen();
        return false;
    }

private:
    std::function<void()> m_seen;
};

FormsButton *swatchOfColour(ColourDialog &dialog, VbColor color)
{
    FormsButton *found = nullptr;
    for (FormsButton *swatch : dialog.findChildren<FormsButton *>())
        if (swatch->backColor() == color) {
            if (found != nullptr)
                return nullptr; // two swatches of one colour
            found = swatch;
        }
    return found;
}

// The help text as the window must show it: the straight quotes around the field names and
// the blanks before the commas are part of it.
QString expectedHelpText()
{
    const QString quote = QStringLiteral("\"");
    return QStringLiteral("Αφού επιλέξεις τον αριθμό ασκήσεων ,στο πεδίο ")
        + quote + QStringLiteral("Επιλογές - Ασκήσεις") + quote
        + QStringLiteral(", και το εύρος τιμών των αριθμών με τους οποιόυς θέλεις να παίξεις")
        + QString(3, u' ') + QStringLiteral(",στο πεδίο ")
        + quote + QStringLiteral("Αριθμοί 0 - ") + quote
        + QStringLiteral(", πάτησε το κόκκινο βελάκι για να ξεκινήσεις.")
        + QStringLiteral(" Θα δεις οτι κάποια πλήκτρα είναι ανενεργά.")
        + QStringLiteral(" Με τα πλήκτρα που έχουν απομείνει θα πρέπει να κάνεις τις κατάλληλες πράξεις,")
        + QStringLiteral(" ώστε τα αποτελέσματά τους να είναι ίσα με τους αριθμούς μώβ χρώματος που")
        + QStringLiteral(" εμφανίστηκαν δεξιά.")
        + QStringLiteral(" Κάθε προσπάθεια, για να είναι επιτυχής, θα πρέπει να ολοκληρωθει σε 3 λεπτά.");
}

// The display right after a click on the credits label (at[0]) and every 50 ms after it
// (at[k]), and 1 ms before each of those moments (justBefore[k - 1]), until the credits end.
struct CreditSamples {
    QStringList at;
    QStringList justBefore;
};

CreditSamples sampleCredits(Form1 &form, FakeClock &clock)
{
    CreditSamples samples;
    samples.at << form.Text1->text();
    // Some 150 steps and 3.7 s of pauses: 400 samples are far more than enough.
    for (int k = 0; k < 400 && form.creditsRunning(); ++k) {
        clock.advance(49);
        samples.justBefore << form.Text1->text();
        clock.advance(1);
        samples.at << form.Text1->text();
    }
    return samples;
}

struct CreditLine {
    QString text;   // the exact text, or the start of it when `exact` is false
    bool exact;
    int extraSteps; // steps that hold the whole line beyond its length
    int pauseMs;
};

Qt::Alignment horizontal(const TextBox *box)
{
    return box->alignment() & Qt::AlignHorizontal_Mask;
}

// What a widget draws on a transparent picture of its own size: with its children or without,
// on its window background or not.
QImage drawnAlone(QWidget *widget, QWidget::RenderFlags flags)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), flags);
    return image;
}

// The smallest rectangle around the pixels for which `marked` holds.
QRect boundsWhere(const QImage &image, const std::function<bool(int, int)> &marked)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (marked(x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The contrast ratio of two colours, from 1:1 to 21:1, by their relative luminance.
double contrastRatio(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb c) {
        const auto linear = [](int channel) {
            const double v = channel / 255.0;
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The largest difference in one colour channel.
int contrast(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void successWindowHoldsTheGame();
    void okDrawsNextExerciseBeforeClosing();
    void okAfterLastExerciseKeepsWindowOverResults();
    void eachSolvedExerciseGetsAFreshWindow();
    void toolImagesIgnoredWhileSuccessWindowOpen_data();
    void toolImagesIgnoredWhileSuccessWindowOpen();

    void doubleClicks_data();
    void doubleClicks();
    void framesKeepControlsClear_data();
    void framesKeepControlsClear();

    void foldAndUnfoldToolStrip();
    void soundSwitch_data();
    void soundSwitch();

    void restartAsksFirst();
    void restartAnsweredNoChangesNothing();
    void restartYesWhileCountdownRuns();
    void restartAfterTheGameEndedChangesNothing();
    void restartTwiceIsLikeOnce();

    void colourDialogOpensOnce();
    void swatchPlaces_data();
    void swatchPlaces();
    void swatchTabOrderStartsAtDarkOlive();
    void swatchRecoloursWindowFramesTargets_data();
    void swatchRecoloursWindowFramesTargets();
    void closeButtonChangesNoColour();
    void darkGreyRestoresDesignColours();

    void helpWindowOpensOnce();
    void helpTextAndColours();
    void helpTime_data();
    void helpTime();

    void creditsTypeEveryStepAndPause();
    void secondCreditsClickRestarts();

    void keyboardReachesEveryControl_data();
    void keyboardReachesEveryControl();
    void keyboardPresses_data();
    void keyboardPresses();
    void focusComesBackAfterMessages_data();
    void focusComesBackAfterMessages();
    void focusMarkStandsOut_data();
    void focusMarkStandsOut();
};

void TestWindows::initTestCase()
{
    setupApplication();
}

// ---- Success window ----------------------------------------------------------------------

void TestWindows::successWindowHoldsTheGame()
{
    Started s;
    Form1 &form = *s.form;
    startGame(form, QStringLiteral("10"), QStringLiteral("100"));
    solveExercise(form);
    Form3 *window = form.successWindow();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QVERIFY(!form.isFormEnabled());

    QCOMPARE(window->windowTitle(), QStringLiteral("Συγχαρητήρια!"));
    QCOMPARE(window->Label1->text(), QStringLiteral("Η άσκηση αυτή ολοκληρώθηκε με επιτυχία!"));
    // Greek capital omicron and kappa, not the Latin letters.
    QCOMPARE(window->Command1->text(), QString::fromUtf16(u"\u039F\u039A"));
    QVERIFY(window->Command1->text() != QLatin1String("OK"));

    // No close, minimise or maximise button: the custom title bar carries none.
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));

    // Closing from outside is refused: only "ΟΚ" may let the game go on.
    QVERIFY(!window->close());
    QCloseEvent event;
    QApplication::sendEvent(window, &event);
    QVERIFY(!event.isAccepted());
    QVERIFY(window->isVisible());
    QVERIFY(!form.isFormEnabled());
    QCOMPARE(form.Text17->text(), QStringLiteral("1"));
}

void TestWindows::okDrawsNextExerciseBeforeClosing()
{
    Started s;
    Form1 &form = *s.form;
    startGame(form, QStringLiteral("10"), QStringLiteral("100"));
    solveExercise(form);
    QPointer<Form3> window = form.successWindow();
    QVERIFY(window != nullptr);

    bool closing = false;
    QString counterAtClose;
    bool targetsDrawnAtClose = false;
    bool enabledAtClose = false;
    ClosingWatch watch([&] {
        if (closing)
            return;
        closing = true;
        counterAtClose = form.Text17->text();
        const auto targets = form.targetBoxesByName();
        targetsDrawnAtClose = std::none_of(targets.begin(), targets.end(), [](TextBox *b) { return b->text().isEmpty(); });
        enabledAtClose = form.isFormEnabled();
    });
    window->installEventFilter(&watch);

    click(window->Command1);

    QVERIFY(closing);
    QCOMPARE(counterAtClose, QStringLiteral("2"));
    QVERIFY(targetsDrawnAtClose);
    QVERIFY(enabledAtClose);
    QVERIFY(window == nullptr || !window->isVisible());
    deleteClosedWindows();
    QVERIFY(window == nullptr);
    QVERIFY(form.isFormEnabled());
    QCOMPARE(form.Text15->text(), QStringLiteral("180"));
}

void TestWindows::okAfterLastExerciseKeepsWindowOverResults()
{
    Started s;
    Form1 &form = *s.form;
    startGame(form, QStringLiteral("10"), QStringLiteral("100"));
    form.Text17->setText(QStringLiteral("10")); // the last exercise
    solveExercise(form);
    QPointer<Form3> window = form.successWindow();
    QVERIFY(window != nullptr);

    click(window->Command1);

    deleteClosedWindows();
    QVERIFY(window != nullptr);
    QCOMPARE(form.successWindow(), window.data());
    QVERIFY(window->isVisible());
    QVERIFY(form.resultsAnimationRunning());
    QVERIFY(!form.Frame1->isFrameEnabled());
    const QString firstStep = form.Text1->text();
    QCOMPARE(firstStep.size(), 1);
    const std::size_t pendingAfterFirst = s.world.clock.pending();
    QVERIFY(pendingAfterFirst >= 1);

    s.world.clock.advance(3000);
    QVERIFY(form.Text1->text() != firstStep);

    // Further clicks restart the animation; they never pile up runs.
    for (int i = 0; i < 10; ++i) {
        click(window->Command1);
        QCOMPARE(form.Text1->text(), firstStep);
        QCOMPARE(s.world.clock.pending(), pendingAfterFirst);
        s.world.clock.advance(700);
    }
    deleteClosedWindows();
    QVERIFY(window != nullptr);
    QCOMPARE(form.successWindow(), window.data());
    QVERIFY(window->isVisible());
    QCOMPARE(visibleWindowsNamed(QStringLiteral("Form3")), 1);
    QVERIFY(!form.hasEnded());

    // The window holds the keyboard over the results: closing it (Alt+F4, as the end of the
    // game tells a screen-reader user) closes the game, as closing the main window does.
    QVERIFY(!window->close());
    QVERIFY(form.hasEnded());
    QCOMPARE(storedGameValues(s.world), QStringList(6, QStringLiteral("0")));
}

void TestWindows::eachSolvedExerciseGetsAFreshWindow()
{
    Started s;
    Form1 &form = *s.form;
    startGame(form, QStringLiteral("10"), QStringLiteral("100"));
    solveExercise(form);
    QPointer<Form3> first = form.successWindow();
    QVERIFY(first != nullptr);
    click(first->Command1);
    deleteClosedWindows();
    QVERIFY(first == nullptr);
    QVERIFY(form.successWindow() == nullptr);
    QVERIFY(form.isFormEnabled());

    solveExercise(form);

    QPointer<Form3> second = form.successWindow();
    QVERIFY(second != nullptr);
    QVERIFY(second->isVisible());
    QVERIFY(!form.isFormEnabled());
    QCOMPARE(form.Text13->text(), QStringLiteral("2"));
    QCOMPARE(visibleWindowsNamed(QStringLiteral("Form3")), 1);
}

void TestWindows::toolImagesIgnoredWhileSuccessWindowOpen_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<Way>("way");
    for (const Way way : {Way::Mouse, Way::AccessiblePress, Way::ProgrammaticClick})
        for (const char *name : {"Image1", "Image2", "Image5", "Image6", "Image7", "Image8", "Label4"})
            QTest::addRow("%s, %s", name, qPrintable(wayName(way))) << QString::fromLatin1(name) << way;
}

void TestWindows::toolImagesIgnoredWhileSuccessWindowOpen()
{
    QFETCH(QString, image);
    QFETCH(Way, way);
    Started s;
    Form1 &form = *s.form;
    startGame(form, QStringLiteral("10"), QStringLiteral("100"));
    solveExercise(form);
    QVERIFY(form.successWindow() != nullptr);
    s.world.messages.answers = {MessageAnswer::Yes};
    const QMap<QString, QString> before = gameState(form);

    activate(form.findChild<QWidget *>(image), way);

    QCOMPARE(lines(gameState(form)), lines(before));
    QVERIFY(s.world.messages.shown.empty());
    QVERIFY(form.helpWindow() == nullptr);
    QVERIFY(form.colourDialog() == nullptr);
    QVERIFY(!form.creditsRunning());
}

// ---- Double-clicks ---------------------------------------------------------------------------

void TestWindows::doubleClicks_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("actions");
    // Pictures, the credits label and the painted buttons act once on a double- or
    // triple-click; the keypad's push buttons act on every click.
    for (const int clicks : {2, 3}) {
        for (const char *once : {"Image6", "Image8", "Image5", "Image1", "Image7", "Label4", "CommandButton2", "swatch"})
            QTest::addRow("%s, %d clicks", once, clicks) << QString::fromLatin1(once) << clicks << 1;
        for (const char *every : {"Command4", "Command17"})
            QTest::addRow("%s, %d clicks", every, clicks) << QString::fromLatin1(every) << clicks << clicks;
    }
}

void TestWindows::doubleClicks()
{
    QFETCH(QString, control);
    QFETCH(int, clicks);
    QFETCH(int, actions);
    Started s;
    Form1 &form = *s.form;
    enableAllKeys(form);
    form.Text16->setText(QStringLiteral("10")); // valid options: the red arrow starts a game
    form.Text14->setText(QStringLiteral("100"));

    // Every click that reaches any control of either window.
    int acted = 0;
    const auto count = [&](QObject *object) {
        if (auto *button = qobject_cast<QAbstractButton *>(object))
            connect(button, &QAbstractButton::clicked, this, [&] { ++acted; });
        else if (auto *picture = qobject_cast<ImageButton *>(object))
            connect(picture, &ImageButton::clicked, this, [&] { ++acted; });
        else if (auto *label = qobject_cast<ClickLabel *>(object))
            connect(label, &ClickLabel::clicked, this, [&] { ++acted; });
    };
    for (QObject *object : form.controls())
        count(object);
    QWidget *target = form.findChild<QWidget *>(control);
    if (control == QLatin1String("swatch")) {
        click(form.Image2);
        acted = 0;
        for (FormsButton *swatch : form.colourDialog()->CommandButton1)
            count(swatch);
        target = form.colourDialog()->CommandButton1[0];
    }

    clickBurst(target, clicks);

    QCOMPARE(acted, actions);
    if (control == QLatin1String("Image6")) { // the game starts, and no skip question follows
        QCOMPARE(form.Text17->text(), QStringLiteral("1"));
        QVERIFY(s.world.messages.shown.empty());
    }
    if (control == QLatin1String("Image8"))
        QVERIFY(!form.soundsOn());
    if (control == QLatin1String("Command4"))
        QCOMPARE(form.Text1->text(), QStringLiteral("4").repeated(clicks));
}

// ---- Frames ------------------------------------------------------------------------------

void TestWindows::framesKeepControlsClear_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("frame");
    World world;
    const auto form = shownWindowWithFont(world);
    for (Frame *frame : form->controlsOf<Frame>())
        QTest::newRow(qPrintable(frame->objectName())) << QStringLiteral("Form1") << frame->objectName();
    click(form->Image2);
    for (Frame *frame : form->colourDialog()->findChildren<Frame *>())
        QTest::newRow(qPrintable(QStringLiteral("Dialog ") + frame->objectName())) << QStringLiteral("Dialog")
                                                                                   << frame->objectName();
}

// Measured on the frame's own drawing with the real fonts: the caption is what changes when
// the frame is disabled (its caption greys), the lines are the rest of what it draws on its
// background. Each control in the frame, or placed over it, must keep what it draws clear of
// the caption's rectangle and of the lines.
void TestWindows::framesKeepControlsClear()
{
    QFETCH(QString, window);
    QFETCH(QString, frame);
    World world;
    const auto form = shownWindowWithFont(world);
    QWidget *top = form.get();
    if (window == QLatin1String("Dialog")) {
        click(form->Image2);
        top = form->colourDialog();
    }
    auto *box = top->findChild<Frame *>(frame);
    QVERIFY(box != nullptr);

    const QImage drawn = drawnAlone(box, QWidget::DrawWindowBackground);
    box->setFrameEnabled(false);
    const QImage greyed = drawnAlone(box, QWidget::DrawWindowBackground);
    box->setFrameEnabled(true);
    const QRgb back = toQColor(box->backColor()).rgb();
    // The faintest edge pixels of the letters come out alike in both colours; they are no line.
    const auto isLine = [&](int x, int y) { return contrast(drawn.pixel(x, y), back) > 2 && drawn.pixel(x, y) == greyed.pixel(x, y); };
    const QRect captionRect = boundsWhere(drawn, [&](int x, int y) { return drawn.pixel(x, y) != greyed.pixel(x, y); });
    QVERIFY(!captionRect.isEmpty());

    // The lines are the frame's edge below the top line, they stand out from its background,
    // and the top one runs through the middle of the caption.
    const QRect edge = boundsWhere(drawn, isLine);
    QCOMPARE(edge, box->rect().adjusted(0, edge.top(), 0, 0));
    QVERIFY2(contrast(drawn.pixel(0, box->height() / 2), back) >= 48, "the left line hardly differs from the background");
    QVERIFY2(std::abs(captionRect.center().y() - edge.top()) <= 1,
             qPrintable(QStringLiteral("top line at %1, caption from %2 to %3").arg(edge.top()).arg(captionRect.top()).arg(captionRect.bottom())));

    const QPoint frameAt = box->mapTo(top, QPoint());
    int checked = 0;
    for (QWidget *control : top->findChildren<QWidget *>()) {
        if (control == box || !control->isVisible() || control->objectName().isEmpty()
            || control->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QRect place(control->mapTo(top, QPoint()) - frameAt, control->size());
        const bool inside = control->parentWidget() == box;
        const bool over = !box->isAncestorOf(control) && !control->isAncestorOf(box) && place.intersects(box->rect());
        if (!inside && !over)
            continue;
        const QImage look = drawnAlone(control, QWidget::DrawChildren);
        const QRect shown = boundsWhere(look, [&](int x, int y) { return qAlpha(look.pixel(x, y)) != 0; })
                                .translated(place.topLeft());
        const QString where = control->objectName() + QStringLiteral(" drawn at %1,%2 %3x%4")
                                                          .arg(shown.x()).arg(shown.y()).arg(shown.width()).arg(shown.height());
        QVERIFY2(!shown.intersects(captionRect),
                 qPrintable(where + QStringLiteral(" meets the caption at %1,%2 %3x%4")
                                        .arg(captionRect.x()).arg(captionRect.y()).arg(captionRect.width()).arg(captionRect.height())));
        const QRect within = shown & box->rect();
        for (int y = within.top(); y <= within.bottom(); ++y)
            for (int x = within.left(); x <= within.right(); ++x)
                if (isLine(x, y))
                    QFAIL(qPrintable(where + QStringLiteral(" covers the frame line at %1,%2").arg(x).arg(y)));
        ++checked;
    }
    QVERIFY(checked > 0);
}

// ---- Tool strip and sound switch -----------------------------------------------------------

void TestWindows::foldAndUnfoldToolStrip()
{
    Started s;
    Form1 &form = *s.form;
    QCOMPARE(form.width(), px(8970));
    QVERIFY(form.Image3->isHidden());

    click(form.Image7);

    // The window ends just right of Image3: the whole button shows.
    QVERIFY(!form.Image3->isHidden());
    QCOMPARE(form.width(), form.Image3->geometry().right() + 1);
    // Everything on the strip, Text16 and Image7 are cut off by the narrower window; of the
    // strip's frames, which start under Image3, only their left edge is left in view.
    for (QWidget *frame : {form.Frame2, form.Frame6}) {
        QVERIFY(form.width() - frame->x() <= 2);
        for (QWidget *control : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY(control->mapTo(&form, QPoint()).x() >= form.width());
    }
    QVERIFY(form.Text16->x() >= form.width());
    QVERIFY(form.Image7->x() >= form.width());

    click(form.Image3);

    QCOMPARE(form.width(), px(8970));
    QVERIFY(form.Image3->isHidden());
    QVERIFY(form.Image7->x() < form.width());
    QVERIFY(form.Frame2->geometry().right() < form.width());
}

void TestWindows::soundSwitch_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("soundsOn");
    QTest::newRow("on at start") << QStringList{} << true;
    QTest::newRow("off") << QStringList{"Image8"} << false;
    QTest::newRow("off, on") << QStringList{"Image8", "Image4"} << true;
    QTest::newRow("on, folded") << QStringList{"Image7"} << true;
    QTest::newRow("off, folded") << QStringList{"Image8", "Image7"} << false;
    QTest::newRow("off, folded, unfolded") << QStringList{"Image8", "Image7", "Image3"} << false;
    QTest::newRow("folded, unfolded, off") << QStringList{"Image7", "Image3", "Image8"} << false;
    QTest::newRow("off, folded, unfolded, on, folded")
        << QStringList{"Image8", "Image7", "Image3", "Image4", "Image7"} << true;
}

void TestWindows::soundSwitch()
{
    QFETCH(QStringList, clicks);
    QFETCH(bool, soundsOn);
    Started s;
    Form1 &form = *s.form;
    for (const QString &name : clicks)
        click(form.findChild<QWidget *>(name));

    QCOMPARE(form.Image8->isHidden(), !soundsOn);
    QCOMPARE(form.Image4->isHidden(), soundsOn);
    QCOMPARE(form.soundsOn(), soundsOn);

    // A hit plays the hit sound exactly when sounds are on, whether or not the strip is seen.
    setTargets(form, {"5", "8"});
    form.Text1->setText(QStringLiteral("5"));
    click(form.Command17);
    QCOMPARE(form.Text2->text(), QString());
    QCOMPARE(s.world.sound.played, soundsOn ? std::vector<Sound>{Sound::Hit} : std::vector<Sound>{});
}

// ---- Restart -----------------------------------------------------------------------------

void TestWindows::restartAsksFirst()
{
    Started s;
    Form1 &form = *s.form;
    click(form.Image5);
    verifyOnlyMessage(s.world.messages, {MessageIcon::Exclamation, MessageButtons::YesNo, QStringLiteral("Επανεκκίνηση"),
                                         QStringLiteral("Θές σίγουρα να επανεκκινήσεις το πρόγραμμα;")});
}

void TestWindows::restartAnsweredNoChangesNothing()
{
    Started s;
    Form1 &form = *s.form;
    startGame(form, QStringLiteral("20"), QStringLiteral("500"));
    form.Timer1->setEnabled(true);
    s.world.clock.advance(2000);
    QCOMPARE(form.Text15->text(), QStringLiteral("178"));
    const QMap<QString, QString> before = gameState(form);
    s.world.messages.answers = {MessageAnswer::No};

    click(form.Image5);

    QCOMPARE(s.world.messages.shown.size(), std::size_t(1));
    QCOMPARE(lines(gameState(form)), lines(before));
    s.world.clock.advance(1000);
    QCOMPARE(form.Text15->text(), QStringLiteral("177"));
}

void TestWindows::restartYesWhileCountdownRuns()
{
    Started s;
    Form1 &form = *s.form;
    startGame(form, QStringLiteral("20"), QStringLiteral("500"));
    form.Timer1->setEnabled(true);
    s.world.clock.advance(3000);
    QCOMPARE(form.Text15->text(), QStringLiteral("177"));
    form.Text1->setText(QStringLiteral("12+3"));
    click(form.Image8); // sounds off
    form.applyWindowColour(0x00484800);
    const QMap<QString, QString> before = gameState(form);
    s.world.messages.answers = {MessageAnswer::Yes};

    click(form.Image5);

    QMap<QString, QString> expected = before;
    expected[QStringLiteral("Text17")] = QStringLiteral("0");
    expected[QStringLiteral("Text12")] = QStringLiteral("0");
    expected[QStringLiteral("Text13")] = QStringLiteral("0");
    expected[QStringLiteral("Text18")] = QStringLiteral("0");
    expected[QStringLiteral("Text16")] = QString();
    expected[QStringLiteral("Text14")] = QString();
    expected[QStringLiteral("Text14 locked")] = QStringLiteral("no");
    expected[QStringLiteral("Text16 locked")] = QStringLiteral("no");
    expected[QStringLiteral("Timer1 enabled")] = QStringLiteral("no");
    expected[QStringLiteral("Text15")] = QStringLiteral("180");
    for (int n = 2; n <= 9; ++n)
        expected[QStringLiteral("Text%1").arg(n)] = QString();
    // As at a start with no game: the digits wait for the next game.
    for (int n = 0; n <= 9; ++n)
        expected[QStringLiteral("Command%1 enabled").arg(n)] = QStringLiteral("no");
    QCOMPARE(lines(gameState(form)), lines(expected));

    // The countdown is really stopped, and no digit starts it again.
    s.world.clock.advance(5000);
    QCOMPARE(form.Text15->text(), QStringLiteral("180"));
    QVERIFY(s.world.sound.played.empty());
    for (int n = 1; n <= 9; ++n)
        click(form.findChild<QWidget *>(QStringLiteral("Command%1").arg(n)));
    QVERIFY(!form.Timer1->isEnabled());

    // Even a countdown that runs with no game (new options typed, not started) never moves a
    // game on: there is none. It used to end the program with a run-time error.
    form.Text16->setText(QStringLiteral("10"));
    form.Text14->setText(QStringLiteral("100"));
    form.Timer1->setEnabled(true);
    s.world.clock.advance(181'000);
    QVERIFY(!form.hasEnded());
    QVERIFY(s.world.messages.shown.size() == 1); // the restart question only
    QCOMPARE(form.Text17->text(), QStringLiteral("0"));
    QCOMPARE(form.Text15->text(), QStringLiteral("180"));
    QVERIFY(form.Text2->text().isEmpty());
}

// The countdown of the last exercise runs out while the restart question is open: the game
// has ended by the time the child answers, and a late "Ναι" must not touch it.
void TestWindows::restartAfterTheGameEndedChangesNothing()
{
    Started s;
    Form1 &form = *s.form;
    startGame(form, QStringLiteral("10"), QStringLiteral("100"));
    form.Text17->setText(QStringLiteral("10"));
    click(usableDigit(form));
    s.world.messages.whileOpen = [&](const Message &message) {
        if (message.title == QStringLiteral("Επανεκκίνηση"))
            s.world.clock.advance(180'000);
    };
    s.world.messages.answers = {MessageAnswer::Ok, MessageAnswer::Yes};

    click(form.Image5);

    QCOMPARE(s.world.messages.shown.size(), std::size_t(2));
    QVERIFY(!form.Frame1->isFrameEnabled());
    QVERIFY(form.resultsAnimationRunning());
    QCOMPARE(form.Text17->text(), QStringLiteral("10"));
    QCOMPARE(form.Text14->text(), QStringLiteral("100"));
    QVERIFY(form.Text14->isLocked());
}

void TestWindows::restartTwiceIsLikeOnce()
{
    Started s;
    Form1 &form = *s.form;
    startGame(form, QStringLiteral("20"), QStringLiteral("500"));
    s.world.messages.answers = {MessageAnswer::Yes, MessageAnswer::Yes};

    click(form.Image5);
    const QMap<QString, QString> once = gameState(form);
    click(form.Image5);

    QCOMPARE(s.world.messages.shown.size(), std::size_t(2));
    QCOMPARE(lines(gameState(form)), lines(once));
}

// ---- Colour picker -------------------------------------------------------------------------

void TestWindows::colourDialogOpensOnce()
{
    Started s;
    Form1 &form = *s.form;
    click(form.Image2);
    ColourDialog *dialog = form.colourDialog();
    QVERIFY(dialog != nullptr);
    click(form.Image2);

    QCOMPARE(form.colourDialog(), dialog);
    QCOMPARE(visibleWindowsNamed(QStringLiteral("Dialog")), 1);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Επιλογή Χρώματος"));
    // Modeless and without an owner: the game stays usable beside it.
    QVERIFY(dialog->parentWidget() == nullptr);
    QVERIFY(!dialog->isModal());
    QVERIFY(form.isFormEnabled());
}

void TestWindows::swatchPlaces_data()
{
    QTest::addColumn<quint32>("color");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("dark blue") << quint32(0x005E3F00) << 120 << 240;
    QTest::newRow("dark slate blue") << quint32(0x00663131) << 360 << 240;
    QTest::newRow("dark teal") << quint32(0x00484800) << 600 << 240;
    QTest::newRow("dark red-brown") << quint32(0x002B2B57) << 120 << 480;
    QTest::newRow("dark olive") << quint32(0x001F3F3F) << 360 << 480;
    QTest::newRow("dark grey") << quint32(0x00444444) << 600 << 480;
}

void TestWindows::swatchPlaces()
{
    QFETCH(quint32, color);
    QFETCH(int, left);
    QFETCH(int, top);
    Started s;
    click(s.form->Image2);
    ColourDialog *dialog = s.form->colourDialog();
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->findChildren<FormsButton *>().size(), 6);

    FormsButton *swatch = swatchOfColour(*dialog, color);
    QVERIFY(swatch != nullptr);
    auto *frame = qobject_cast<Frame *>(swatch->parentWidget());
    QVERIFY(frame != nullptr);
    QCOMPARE(frame->title(), QStringLiteral("Παλέττα"));
    QCOMPARE(swatch->geometry(), twipsRect(left, top, 255, 255));
    QCOMPARE(swatch->text(), QString());
}

void TestWindows::swatchTabOrderStartsAtDarkOlive()
{
    Started s;
    click(s.form->Image2);
    ColourDialog *dialog = s.form->colourDialog();
    QVERIFY(dialog != nullptr);

    // The picker opens on the window's colour, the design's dark grey at first.
    QCOMPARE(dialog->focusWidget(), static_cast<QWidget *>(swatchOfColour(*dialog, 0x00444444)));
    QWidget *const focused = swatchOfColour(*dialog, 0x001F3F3F);

    // Tab goes through the swatches by their tab positions, then to "X", then round again.
    const std::vector<QWidget *> expected{
        swatchOfColour(*dialog, 0x001F3F3F), swatchOfColour(*dialog, 0x002B2B57),
        swatchOfColour(*dialog, 0x00444444), swatchOfColour(*dialog, 0x00484800),
        swatchOfColour(*dialog, 0x00663131), swatchOfColour(*dialog, 0x005E3F00),
        dialog->Command1, swatchOfColour(*dialog, 0x001F3F3F)};
    std::vector<QWidget *> order{focused};
    for (QWidget *w = focused->nextInFocusChain(); order.size() < expected.size() && w != nullptr;
         w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->isHidden() && w->window() == dialog)
            order.push_back(w);
    }
    QCOMPARE(order, expected);
}

void TestWindows::swatchRecoloursWindowFramesTargets_data()
{
    QTest::addColumn<quint32>("color");
    QTest::addColumn<QString>("name"); // as a screen reader hears the choice
    QTest::newRow("dark blue") << quint32(0x005E3F00) << "σκούρο μπλε";
    QTest::newRow("dark slate blue") << quint32(0x00663131) << "σκούρο μωβ μπλε";
    QTest::newRow("dark teal") << quint32(0x00484800) << "σκούρο πετρόλ";
    QTest::newRow("dark red-brown") << quint32(0x002B2B57) << "σκούρο κεραμιδί";
    QTest::newRow("dark olive") << quint32(0x001F3F3F) << "σκούρο λαδί";
    QTest::newRow("dark grey") << quint32(0x00444444) << "σκούρο γκρι, το αρχικό χρώμα";
}

void TestWindows::swatchRecoloursWindowFramesTargets()
{
    QFETCH(quint32, color);
    QFETCH(QString, name);
    Started s;
    Form1 &form = *s.form;
    setTargets(form, {"12", "7"}); // filled and empty boxes alike
    const QMap<QString, QString> before = colours(form);
    click(form.Image2);
    QPointer<ColourDialog> dialog = form.colourDialog();
    QVERIFY(dialog != nullptr);

    click(swatchOfColour(*dialog, color));

    QVERIFY(dialog == nullptr || !dialog->isVisible());
    deleteClosedWindows();
    QVERIFY(dialog == nullptr);
    QVERIFY(form.colourDialog() == nullptr);

    // The window, every frame and the eight target boxes take the colour; nothing else changes.
    QMap<QString, QString> expected = before;
    expected[QStringLiteral("Form1 back")] = hex(color);
    for (const char *frame : {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5", "Frame6", "Frame7", "Frame9"})
        expected[QString::fromLatin1(frame) + QStringLiteral(" back")] = hex(color);
    for (int n = 2; n <= 9; ++n)
        expected[QStringLiteral("Text%1 back").arg(n)] = hex(color);
    QCOMPARE(lines(colours(form)), lines(expected));
    // The choice is heard, by the swatch's name.
    QCOMPARE(s.world.announcer.said, std::vector<QString>{QStringLiteral("Το παράθυρο έγινε %1.").arg(name)});

    // Opened again, the picker starts on that colour, marked on the screen and for a screen
    // reader, and on no other.
    click(form.Image2);
    QVERIFY(form.colourDialog() != nullptr);
    for (FormsButton *swatch : form.colourDialog()->CommandButton1) {
        const bool current = swatch->backColor() == color;
        QCOMPARE(swatch->isMarked(), current);
        QCOMPARE(swatch->accessibleDescription().isEmpty(), !current);
        QCOMPARE(form.colourDialog()->focusWidget() == swatch, current);
    }
}

void TestWindows::closeButtonChangesNoColour()
{
    Started s;
    Form1 &form = *s.form;
    const QMap<QString, QString> before = colours(form);
    click(form.Image2);
    QPointer<ColourDialog> dialog = form.colourDialog();
    QVERIFY(dialog != nullptr);

    click(dialog->Command1);

    QVERIFY(dialog == nullptr || !dialog->isVisible());
    deleteClosedWindows();
    QVERIFY(dialog == nullptr);
    QCOMPARE(lines(colours(form)), lines(before));
}

void TestWindows::darkGreyRestoresDesignColours()
{
    Started s;
    Form1 &form = *s.form;
    const QMap<QString, QString> design = colours(form);
    click(form.Image2);
    click(swatchOfColour(*form.colourDialog(), 0x00484800));
    deleteClosedWindows();
    QVERIFY(colours(form) != design);

    click(form.Image2);
    QVERIFY(form.colourDialog() != nullptr);
    click(swatchOfColour(*form.colourDialog(), 0x00444444));

    QCOMPARE(lines(colours(form)), lines(design));
}

// ---- Help ----------------------------------------------------------------------------------

void TestWindows::helpWindowOpensOnce()
{
    Started s;
    Form1 &form = *s.form;
    click(form.Image1);
    QPointer<Form2> help = form.helpWindow();
    QVERIFY(help != nullptr);
    click(form.Image1);

    QCOMPARE(form.helpWindow(), help.data());
    QCOMPARE(visibleWindowsNamed(QStringLiteral("Form2")), 1);
    QCOMPARE(help->windowTitle(), QStringLiteral("Βοήθεια"));
    QVERIFY(help->parentWidget() == nullptr);
    QVERIFY(form.isFormEnabled());

    // Closed from its title bar, it opens again from its design.
    QVERIFY(help->close());
    deleteClosedWindows();
    QVERIFY(help == nullptr);
    click(form.Image1);
    QVERIFY(form.helpWindow() != nullptr);
    QCOMPARE(visibleWindowsNamed(QStringLiteral("Form2")), 1);
}

void TestWindows::helpTime_data()
{
    // The help says the time the game gives: the text as written with the 3 minutes it gives
    // unless a parent chose otherwise.
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("ending");
    const QString written = QStringLiteral(" Κάθε προσπάθεια, για να είναι επιτυχής, θα πρέπει να ολοκληρωθει σε %1.");
    QTest::newRow("3 minutes, as written") << "180" << written.arg(QStringLiteral("3 λεπτά"));
    QTest::newRow("6 minutes") << "360" << written.arg(QStringLiteral("6 λεπτά"));
    QTest::newRow("30 minutes") << "1800" << written.arg(QStringLiteral("30 λεπτά"));
    QTest::newRow("no limit") << "0" << QStringLiteral(" Κάθε προσπάθεια μπορεί να πάρει όσο χρόνο χρειάζεσαι.");
}

void TestWindows::helpTime()
{
    QFETCH(QString, seconds);
    QFETCH(QString, ending);
    Started s(std::map<QString, QString>{{QStringLiteral("secondsPerExercise"), seconds}});
    click(s.form->Image1);
    QVERIFY(s.form->helpWindow() != nullptr);
    const QString shown = s.form->helpWindow()->Label1->text();
    QVERIFY2(shown.endsWith(ending), qPrintable(shown));
    // Everything before the last sentence stays as written.
    const QString designed = expectedHelpText();
    const qsizetype lastSentence = designed.size() - designed.lastIndexOf(QStringLiteral(" Κάθε"));
    QCOMPARE(shown.chopped(ending.size()), designed.chopped(lastSentence));
}

void TestWindows::helpTextAndColours()
{
    Started s;
    click(s.form->Image1);
    Form2 *help = s.form->helpWindow();
    QVERIFY(help != nullptr);

    const QString expected = expectedHelpText();
    QCOMPARE(expected.size(), 497);
    const QString shown = help->Label1->text();
    for (qsizetype i = 0; i < std::min(shown.size(), expected.size()); ++i) {
        if (shown[i] != expected[i])
            QFAIL(qPrintable(QStringLiteral("character %1 is U+%2, expected U+%3 in \"...%4...\"")
                                 .arg(i)
                                 .arg(shown[i].unicode(), 4, 16, QLatin1Char('0'))
                                 .arg(expected[i].unicode(), 4, 16, QLatin1Char('0'))
                                 .arg(expected.mid(std::max<qsizetype>(0, i - 10), 20))));
    }
    QCOMPARE(shown.size(), expected.size());

    // Light yellow (0x00C0FFFF) behind the window and the label, which is either filled with it
    // or transparent over the window.
    const QColor lightYellow(255, 255, 192);
    QVERIFY(help->autoFillBackground());
    QCOMPARE(help->palette().color(help->backgroundRole()), lightYellow);
    QLabel *label = help->Label1;
    QCOMPARE(label->parentWidget(), static_cast<QWidget *>(help));
    if (label->autoFillBackground())
        QCOMPARE(label->palette().color(label->backgroundRole()), lightYellow);
}

// ---- Credits -------------------------------------------------------------------------------

void TestWindows::creditsTypeEveryStepAndPause()
{
    Started s;
    Form1 &form = *s.form;
    form.Text1->setText(QStringLiteral("12+3")); // an expression that the credits replace

    click(form.Label4);
    QCOMPARE(horizontal(form.Text1), Qt::AlignHCenter);
    QCOMPARE(form.Text1->font().pointSizeF(), 22.0);
    QCOMPARE(s.world.clock.pending(), std::size_t(1));
    const CreditSamples samples = sampleCredits(form, s.world.clock);

    // Nothing changes between steps: each sample 1 ms before a step equals the one before it.
    for (qsizetype k = 0; k < samples.justBefore.size(); ++k)
        QVERIFY2(samples.justBefore[k] == samples.at[k], qPrintable(QStringLiteral("changed between steps at %1 ms").arg(k * 50 + 49)));

    const std::vector<CreditLine> credits{
        {QStringLiteral("Numbolo_v.1.2"), true, 1, 500},
        {QStringLiteral("Educational Game for kids"), true, 1, 500},
        {QStringLiteral("Author:"), false, 2, 700},
        {QStringLiteral("August 2012, "), false, 1, 500},
        {QStringLiteral("Music by KOTA_TEAM"), true, 1, 500},
        {QString(), false, 1, 1000},
    };
    const QStringList &at = samples.at;
    qsizetype start = 0;
    for (const CreditLine &credit : credits) {
        // The line grows one character per step until the first step that holds it.
        qsizetype length = 1;
        while (start + length < at.size() && at[start + length] != at[start + length - 1])
            ++length;
        QVERIFY2(start + length < at.size(), "the credits ended inside a line");
        const QString line = at[start + length - 1];
        QCOMPARE(line.size(), length);
        if (credit.exact)
            QCOMPARE(line, credit.text);
        else
            QVERIFY2(line.startsWith(credit.text) && line.size() > credit.text.size(), qPrintable(line));

        QStringList expected;
        for (qsizetype n = 1; n <= length + credit.extraSteps; ++n)
            expected << line.left(n);
        for (int held = 0; held < credit.pauseMs / 50; ++held)
            expected << line;
        QCOMPARE(at.mid(start, expected.size()), expected);
        start += expected.size();
    }

    // Then the display is emptied, left-aligned at 28 pt, and nothing is left on the clock.
    QCOMPARE(at.size(), start + 1);
    QCOMPARE(at.back(), QString());
    QVERIFY(!form.creditsRunning());
    QCOMPARE(horizontal(form.Text1), Qt::AlignLeft);
    QCOMPARE(form.Text1->font().pointSizeF(), 28.0);
    QCOMPARE(s.world.clock.pending(), std::size_t(0));
}

void TestWindows::secondCreditsClickRestarts()
{
    Started s;
    Form1 &form = *s.form;
    click(form.Label4);
    const QString firstStep = form.Text1->text();
    const qsizetype fullRun = sampleCredits(form, s.world.clock).at.size();

    click(form.Label4);
    s.world.clock.advance(3000);
    for (int i = 0; i < 10; ++i) {
        click(form.Label4);
        QCOMPARE(form.Text1->text(), firstStep);
        QCOMPARE(horizontal(form.Text1), Qt::AlignHCenter);
        QCOMPARE(s.world.clock.pending(), std::size_t(1));
        s.world.clock.advance(50 * (i + 1) + 7);
    }
    click(form.Label4);

    // The last click's run plays out whole and ends as a single run does.
    QCOMPARE(sampleCredits(form, s.world.clock).at.size(), fullRun);
    QVERIFY(!form.creditsRunning());
    QCOMPARE(form.Text1->text(), QString());
    QCOMPARE(horizontal(form.Text1), Qt::AlignLeft);
    QCOMPARE(form.Text1->font().pointSizeF(), 28.0);
    QCOMPARE(s.world.clock.pending(), std::size_t(0));
}

// ---- Keyboard ------------------------------------------------------------------------------

void TestWindows::keyboardReachesEveryControl_data()
{
    QTest::addColumn<QString>("tools");
    QTest::addColumn<QString>("order");
    const QString play = QStringLiteral("Image6 Text17 Text1 Frame4 Command7 Command8 Command9 Command10 Command18 Command4 Command5 "
                                        "Command6 Command11 Command1 Command2 Command3 Command12 Command0 Command14 Command17 "
                                        "Command13 CommandButton2 Command15 Command16 Command20 Command19 Text15");
    QTest::newRow("tools shown") << "shown" << "Text16 Text14 " + play + " Image1 Label4 Image8 Image5 Image2 Image7";
    QTest::newRow("sounds off") << "sounds off" << "Text16 Text14 " + play + " Image1 Label4 Image4 Image5 Image2 Image7";
    // Regression: a screen reader pressed the restart picture while the strip was folded away.
    QTest::newRow("tools folded") << "folded" << play + " Image3";
}

// Tab visits every control a mouse can press, in reading order, and only those in the window.
void TestWindows::keyboardReachesEveryControl()
{
    QFETCH(QString, tools);
    QFETCH(QString, order);
    Started s;
    Form1 &form = *s.form;
    enableAllKeys(form);
    if (tools != QLatin1String("shown"))
        click(tools == QLatin1String("folded") ? form.Image7 : form.Image8);
    QStringList visited;
    QWidget *const first = form.findChild<QWidget *>(order.section(QLatin1Char(' '), 0, 0));
    QWidget *w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible() && w->window() == &form)
            visited << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first);
    QCOMPARE(visited.join(QLatin1Char(' ')), order);
    QCOMPARE(form.isBlocked(form.Image5), tools == QLatin1String("folded"));
}

void TestWindows::keyboardPresses_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("display");
    for (const int key : {int(Qt::Key_Space), int(Qt::Key_Return)})
        for (const auto &[name, display] : {std::pair{"Command4", "74"}, {"CommandButton2", ""}, {"Image8", "7"}, {"Label4", "N"}})
            QTest::addRow("%s, %s", name, key == Qt::Key_Space ? "Space" : "Return") << name << key << display;
    // Escape closes the help, the colour picker and the credits, as it closes a dialog.
    for (const auto &[opener, display] : {std::pair{"Image1", "7"}, {"Image2", "7"}, {"Label4", ""}})
        QTest::addRow("%s, then Escape", opener) << opener << int(Qt::Key_Escape) << display;
}

// A focused key, picture or the credits' "i" acts on Space and on Return, once; Escape closes
// what the picture opened.
void TestWindows::keyboardPresses()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(QString, display);
    Started s;
    Form1 &form = *s.form;
    enableAllKeys(form);
    form.Text1->setText(QStringLiteral("7"));
    auto *widget = form.findChild<QWidget *>(control);
    widget->setFocus(Qt::TabFocusReason);
    if (key == Qt::Key_Escape) {
        click(widget);
        QWidget *window = form.helpWindow() != nullptr ? static_cast<QWidget *>(form.helpWindow()) : form.colourDialog();
        widget = window != nullptr ? window->focusWidget() : widget;
        QVERIFY(widget != nullptr && (window != nullptr || form.creditsRunning()));
    }
    QTest::keyClick(widget, Qt::Key(key));
    deleteClosedWindows();
    QCOMPARE(form.Text1->text(), display);
    QCOMPARE(form.soundsOn(), control != QLatin1String("Image8"));
    QVERIFY(form.helpWindow() == nullptr && form.colourDialog() == nullptr);
    QCOMPARE(form.creditsRunning(), control == QLatin1String("Label4") && key != Qt::Key_Escape);
}

void TestWindows::focusComesBackAfterMessages_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focusedBefore");
    QTest::addColumn<QString>("focusedAfter");
    QTest::newRow("skip question, no") << "skip, no" << "Image6" << "Image6";
    QTest::newRow("skip question, yes") << "skip, yes" << "Image6" << "Image6";
    QTest::newRow("restart question") << "restart" << "Image5" << "Image5";
    QTest::newRow("time-out, a new exercise") << "time-out" << "Command17" << "Image6";
    // A rejected option: the keyboard goes to the box to type it again.
    QTest::newRow("range rejected") << "range" << "Image6" << "Text14";
    QTest::newRow("count rejected") << "count" << "Image6" << "Text16";
    // After the end nothing in the frames acts, but Tab still moves on.
    QTest::newRow("last exercise skipped, then Tab") << "end" << "Image6" << "Text17";
}

// Regression: the window took the keyboard back while the box still counted as open, and the
// gate dropped it: nothing had focus after the skip question or the time-out.
void TestWindows::focusComesBackAfterMessages()
{
    QFETCH(QString, message);
    QFETCH(QString, focusedBefore);
    QFETCH(QString, focusedAfter);
    Started s;
    Form1 &form = *s.form;
    if (message == QLatin1String("range") || message == QLatin1String("count")) {
        form.Text16->setText(message == QLatin1String("count") ? QStringLiteral("5") : QStringLiteral("10"));
        form.Text14->setText(message == QLatin1String("range") ? QStringLiteral("50") : QStringLiteral("100"));
    } else {
        startGame(form, QStringLiteral("10"), QStringLiteral("100"));
    }
    if (message == QLatin1String("end"))
        form.Text17->setText(QStringLiteral("10"));
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto *control = form.findChild<QWidget *>(focusedBefore);
    control->setFocus(Qt::TabFocusReason);
    QWidget box; // stands in for the message box: it takes the keyboard, then gives it back
    s.world.messages.whileOpen = [&](const Message &) {
        box.show();
        QApplication::setActiveWindow(&box);
        box.hide();
        QApplication::setActiveWindow(&form);
    };
    // A rejected box is emptied once it has the keyboard: a screen reader told of the change
    // first takes the focus that follows as known, and does not read the box out.
    bool focusedWhenEmptied = false;
    if (auto *box = qobject_cast<TextBox *>(form.findChild<QWidget *>(focusedAfter)))
        connect(box, &QLineEdit::textChanged, box, [&, box](const QString &text) { focusedWhenEmptied = text.isEmpty() && box->hasFocus(); });
    const bool yes = message == QLatin1String("skip, yes") || message == QLatin1String("end");
    s.world.messages.answers = {yes ? MessageAnswer::Yes : MessageAnswer::No};
    if (message == QLatin1String("time-out")) {
        click(usableDigit(form));
        s.world.clock.advance(180'000);
    } else {
        QTest::keyClick(control, Qt::Key_Space);
    }
    if (message == QLatin1String("end")) {
        QVERIFY(!form.Frame1->isFrameEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(s.world.messages.shown.size(), std::size_t(1));
    QCOMPARE(QApplication::focusWidget(), form.findChild<QWidget *>(focusedAfter));
    QCOMPARE(focusedWhenEmptied, message == QLatin1String("range") || message == QLatin1String("count"));
}

void TestWindows::focusMarkStandsOut_data()
{
    QTest::addColumn<QString>("window"); // the game, the colour picker or the success window
    QTest::addColumn<QString>("control");
    QTest::newRow("red arrow") << "Form1" << "Image6";
    QTest::newRow("lifebuoy") << "Form1" << "Image1";
    QTest::newRow("sound switch") << "Form1" << "Image8";
    QTest::newRow("credits") << "Form1" << "Label4";
    QTest::newRow("key") << "Form1" << "Command7";
    QTest::newRow("clear key") << "Form1" << "CommandButton2";
    QTest::newRow("range box") << "Form1" << "Text14";
    QTest::newRow("targets' frame") << "Form1" << "Frame4";
    QTest::newRow("show tools, at the window's edge") << "Form1" << "Image3";
    QTest::newRow("swatch") << "Dialog" << "CommandButton1_9";
    QTest::newRow("success window's button") << "Form3" << "Command1";
}

// Every control that takes the keyboard shows it with a mark a child with low vision sees: the
// pixels that change when the focus arrives, at 3:1 or more against what they showed before,
// cover at least a band two pixels wide all round the control.
void TestWindows::focusMarkStandsOut()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    Started s;
    Form1 &form = *s.form;
    enableAllKeys(form);
    QWidget *shown = &form;
    if (window == QLatin1String("Dialog")) {
        click(form.Image2);
        shown = form.colourDialog();
    } else if (window == QLatin1String("Form3")) {
        startGame(form, QStringLiteral("10"), QStringLiteral("100"));
        solveExercise(form);
        shown = form.successWindow();
    } else if (control == QLatin1String("Image3")) {
        click(form.Image7);
    }
    QApplication::setActiveWindow(shown);
    QVERIFY(QTest::qWaitForWindowActive(shown));
    auto *target = shown->findChild<QWidget *>(control);
    QVERIFY(target != nullptr);
    if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
    const QImage before = shown->grab().toImage();

    target->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), target);
    const QImage after = shown->grab().toImage();

    int standingOut = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            standingOut += contrastRatio(before.pixel(x, y), after.pixel(x, y)) >= 3.0;
    const int band = 2 * (2 * target->width() + 2 * target->height());
    QVERIFY2(standingOut >= band, qPrintable(QStringLiteral("%1 pixels stand out, %2 needed").arg(standingOut).arg(band)));
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
