// The design of Form1: every control with its place and size in twips, caption, font, colours
// and tooltip, listed in creation order. Enumerating the window visits them in this order.

#include "controls/designfont.h"
#include "controls/windowicon.h"
#include "game/form1.h"
#include "services/programname.h"

#include <QCoreApplication>

namespace numbolo {

namespace {

enum class Kind { Frame, TextBox, Key, ClearKey, Image, Label, Timer };

struct FontSpec {
    const char *family = nullptr;
    double points = 0;
    bool bold = false;
    bool italic = false;
};

constexpr VbColor NoColor = 0xFFFFFFFF;
constexpr const char *Digital = "DS-Digital";
constexpr const char *Comic = "Comic Sans MS";
constexpr FontSpec KeyFont{Comic, 15.75};

struct Row {
    const char *name;
    Kind kind;
    const char *parent; // nullptr: the window itself
    int left, top, width, height;
    const char *caption = "";
    FontSpec font{};
    VbColor fore = NoColor;
    VbColor back = NoColor; // for keys: the group marker
    const char *tooltip = nullptr;
    Qt::Alignment align = Qt::AlignLeft;
    bool hidden = false;
    const char *picture = nullptr;
};

constexpr FontSpec StateFont{Digital, 15.75, true};
constexpr FontSpec TargetFont{Digital, 24, true};
constexpr auto Centre = Qt::AlignHCenter;
constexpr auto Right = Qt::AlignRight;
constexpr VbColor CaptionGrey = 0xC0C0C0;

const Row Design[] = {
    {.name = "Text16", .kind = Kind::TextBox, .parent = nullptr, .left = 7700, .top = 1560, .width = 615, .height = 390,
     .font = StateFont, .fore = 0x00FF00, .back = 0x004000, .tooltip = QT_TRANSLATE_NOOP("Form1", "Αριθμός ασκήσεων (10-300)"), .align = Centre},
    {.name = "Frame2", .kind = Kind::Frame, .parent = nullptr, .left = 7320, .top = 1080, .width = 1455, .height = 4215,
     .caption = QT_TRANSLATE_NOOP("Form1", "Επιλογές"), .font = {Comic, 9, true}, .fore = CaptionGrey},
    {.name = "Frame9", .kind = Kind::Frame, .parent = "Frame2", .left = 120, .top = 1200, .width = 1215, .height = 735,
     .caption = QT_TRANSLATE_NOOP("Form1", "Αριθμοί 0 -"), .font = {Comic, 8.25}, .fore = CaptionGrey},
    {.name = "Text14", .kind = Kind::TextBox, .parent = "Frame9", .left = 120, .top = 240, .width = 975, .height = 390,
     .font = StateFont, .fore = 0xFFFFFF, .back = 0x000000, .tooltip = QT_TRANSLATE_NOOP("Form1", "Εύρος τιμών αριθμών στόχων"), .align = Centre},
    {.name = "Frame5", .kind = Kind::Frame, .parent = "Frame2", .left = 240, .top = 240, .width = 975, .height = 735,
     .caption = QT_TRANSLATE_NOOP("Form1", "Ασκήσεις"), .font = {Comic, 9}, .fore = CaptionGrey},
    {.name = "Image8", .kind = Kind::Image, .parent = "Frame2", .left = 600, .top = 3120, .width = 240, .height = 240,
     .tooltip = QT_TRANSLATE_NOOP("Form1", "Σίγαση"), .picture = ":/pictures/sound-on.svg"},
    {.name = "Image4", .kind = Kind::Image, .parent = "Frame2", .left = 600, .top = 3120, .width = 240, .height = 240,
     .tooltip = QT_TRANSLATE_NOOP("Form1", "Ενεργοποίηση ήχων"), .hidden = true, .picture = ":/pictures/sound-off.svg"},
    {.name = "Image5", .kind = Kind::Image, .parent = "Frame2", .left = 480, .top = 2200, .width = 450, .height = 450,
     .tooltip = QT_TRANSLATE_NOOP("Form1", "Αρχικοποίηση"), .picture = ":/pictures/restart.svg"},
    {.name = "Image2", .kind = Kind::Image, .parent = "Frame2", .left = 480, .top = 3720, .width = 390, .height = 390,
     .tooltip = QT_TRANSLATE_NOOP("Form1", "Χρώμα παραθύρου προγράμματος"), .picture = ":/pictures/palette.svg"},
    {.name = "Frame6", .kind = Kind::Frame, .parent = nullptr, .left = 7320, .top = 240, .width = 1095, .height = 705,
     .caption = QT_TRANSLATE_NOOP("Form1", "Βοήθεια"), .font = {Comic, 9, true}, .fore = CaptionGrey},
    {.name = "Label4", .kind = Kind::Label, .parent = "Frame6", .left = 600, .top = 75, .width = 375, .height = 705,
     .caption = "i", .font = {"Monotype Corsiva", 27.75, false, true}, .fore = 0x00C0C0, .tooltip = QT_TRANSLATE_NOOP("Form1", "Περί..."), .align = Centre},
    {.name = "Image1", .kind = Kind::Image, .parent = "Frame6", .left = 120, .top = 240, .width = 375, .height = 375,
     .tooltip = QT_TRANSLATE_NOOP("Form1", "Βοήθεια"), .picture = ":/pictures/lifebuoy.svg"},
    {.name = "Frame1", .kind = Kind::Frame, .parent = nullptr, .left = 120, .top = 120, .width = 6975, .height = 5175,
     .caption = "Numbolo v.1.2", .font = {Digital, 11.25, true}, .fore = 0xFFFFFF},
    {.name = "Text18", .kind = Kind::TextBox, .parent = "Frame1", .left = 3120, .top = 4080, .width = 735, .height = 345,
     .font = {"MS Sans Serif", 9.75}, .hidden = true},
    {.name = "Command20", .kind = Kind::Key, .parent = "Frame1", .left = 2280, .top = 3960, .width = 615, .height = 615,
     .caption = "x^y", .font = {Comic, 12}, .back = PlainKeyColor},
    {.name = "Frame7", .kind = Kind::Frame, .parent = "Frame1", .left = 3000, .top = 1800, .width = 855, .height = 1095,
     .caption = QT_TRANSLATE_NOOP("Form1", "Άσκηση"), .font = {Comic, 8.25}, .fore = CaptionGrey},
    {.name = "Text17", .kind = Kind::TextBox, .parent = "Frame7", .left = 120, .top = 240, .width = 615, .height = 375,
     .font = StateFont, .back = 0x5C9EA0, .align = Centre},
    {.name = "Image6", .kind = Kind::Image, .parent = "Frame7", .left = 240, .top = 720, .width = 330, .height = 300,
     .tooltip = QT_TRANSLATE_NOOP("Form1", "Νέα άσκηση"), .picture = ":/pictures/new-exercise.svg"},
    {.name = "Command14", .kind = Kind::Key, .parent = "Frame1", .left = 840, .top = 3240, .width = 615, .height = 615,
     .caption = ".", .font = {Comic, 18, true}, .back = PlainKeyColor},
    {.name = "Text12", .kind = Kind::TextBox, .parent = "Frame1", .left = 3120, .top = 3600, .width = 495, .height = 285,
     .font = {"MS Sans Serif", 8.25}, .hidden = true},
    {.name = "Text13", .kind = Kind::TextBox, .parent = "Frame1", .left = 3120, .top = 3840, .width = 495, .height = 285,
     .font = {"MS Sans Serif", 8.25}, .hidden = true},
    {.name = "Frame3", .kind = Kind::Frame, .parent = "Frame1", .left = 5520, .top = 4320, .width = 1335, .height = 735,
     .caption = QT_TRANSLATE_NOOP("Form1", "Χρονόμετρο"), .font = {Comic, 9, true}, .fore = CaptionGrey},
    {.name = "Command19", .kind = Kind::Key, .parent = "Frame3", .left = 120, .top = 300, .width = 375, .height = 350,
     .caption = "||", .font = {"DejaVu Sans", 9, true}, .back = PlainKeyColor, .tooltip = QT_TRANSLATE_NOOP("Form1", "Παύση χρονομέτρου")},
    {.name = "Text15", .kind = Kind::TextBox, .parent = "Frame3", .left = 600, .top = 280, .width = 615, .height = 375,
     .caption = "180", .font = StateFont, .back = 0xFFFF00, .align = Centre},
    {.name = "Frame4", .kind = Kind::Frame, .parent = "Frame1", .left = 3960, .top = 960, .width = 2895, .height = 3135,
     .caption = QT_TRANSLATE_NOOP("Form1", "Αριθμοί-Στόχοι"), .font = {Comic, 9, true}, .fore = CaptionGrey},
    {.name = "Text9", .kind = Kind::TextBox, .parent = "Frame4", .left = 1440, .top = 2520, .width = 1335, .height = 465,
     .font = TargetFont, .fore = TargetForeColor, .back = 0x444444, .align = Right},
    {.name = "Text8", .kind = Kind::TextBox, .parent = "Frame4", .left = 120, .top = 2550, .width = 1335, .height = 465,
     .font = TargetFont, .fore = TargetForeColor, .back = 0x444444},
    {.name = "Text7", .kind = Kind::TextBox, .parent = "Frame4", .left = 1440, .top = 1080, .width = 1335, .height = 465,
     .font = TargetFont, .fore = TargetForeColor, .back = 0x444444, .align = Right},
    {.name = "Text6", .kind = Kind::TextBox, .parent = "Frame4", .left = 1440, .top = 360, .width = 1335, .height = 465,
     .font = TargetFont, .fore = TargetForeColor, .back = 0x444444, .align = Right},
    {.name = "Text5", .kind = Kind::TextBox, .parent = "Frame4", .left = 120, .top = 1800, .width = 1335, .height = 465,
     .font = TargetFont, .fore = TargetForeColor, .back = 0x444444},
    {.name = "Text4", .kind = Kind::TextBox, .parent = "Frame4", .left = 1440, .top = 1800, .width = 1335, .height = 465,
     .font = TargetFont, .fore = TargetForeColor, .back = 0x444444, .align = Right},
    {.name = "Text3", .kind = Kind::TextBox, .parent = "Frame4", .left = 120, .top = 360, .width = 1335, .height = 435,
     .font = TargetFont, .fore = TargetForeColor, .back = 0x444444},
    {.name = "Text2", .kind = Kind::TextBox, .parent = "Frame4", .left = 120, .top = 1080, .width = 1335, .height = 465,
     .font = TargetFont, .fore = TargetForeColor, .back = 0x444444},
    {.name = "Text1", .kind = Kind::TextBox, .parent = "Frame1", .left = 120, .top = 240, .width = 6735, .height = 585,
     .font = {Digital, 27.75}, .fore = 0x00FF00, .back = 0x004000},
    {.name = "Command11", .kind = Kind::Key, .parent = "Frame1", .left = 2280, .top = 1800, .width = 615, .height = 615,
     .caption = "x", .font = KeyFont, .back = OperatorKeyColor},
    {.name = "Command17", .kind = Kind::Key, .parent = "Frame1", .left = 1560, .top = 3240, .width = 615, .height = 615,
     .caption = "=", .font = KeyFont, .back = PlainKeyColor},
    {.name = "Command12", .kind = Kind::Key, .parent = "Frame1", .left = 2280, .top = 2520, .width = 615, .height = 615,
     .caption = "-", .font = KeyFont, .back = OperatorKeyColor},
    {.name = "Command13", .kind = Kind::Key, .parent = "Frame1", .left = 2280, .top = 3240, .width = 615, .height = 615,
     .caption = "+", .font = KeyFont, .back = OperatorKeyColor},
    {.name = "Command10", .kind = Kind::Key, .parent = "Frame1", .left = 2280, .top = 1080, .width = 615, .height = 615,
     .caption = "/", .font = KeyFont, .back = OperatorKeyColor},
    {.name = "Command7", .kind = Kind::Key, .parent = "Frame1", .left = 120, .top = 1080, .width = 615, .height = 615,
     .caption = "7", .font = KeyFont, .back = DigitKeyColor},
    {.name = "Command8", .kind = Kind::Key, .parent = "Frame1", .left = 840, .top = 1080, .width = 615, .height = 615,
     .caption = "8", .font = KeyFont, .back = DigitKeyColor},
    {.name = "Command9", .kind = Kind::Key, .parent = "Frame1", .left = 1560, .top = 1080, .width = 615, .height = 615,
     .caption = "9", .font = KeyFont, .back = DigitKeyColor},
    {.name = "Command4", .kind = Kind::Key, .parent = "Frame1", .left = 120, .top = 1800, .width = 615, .height = 615,
     .caption = "4", .font = KeyFont, .back = DigitKeyColor},
    {.name = "Command5", .kind = Kind::Key, .parent = "Frame1", .left = 840, .top = 1800, .width = 615, .height = 615,
     .caption = "5", .font = KeyFont, .back = DigitKeyColor},
    {.name = "Command6", .kind = Kind::Key, .parent = "Frame1", .left = 1560, .top = 1800, .width = 615, .height = 615,
     .caption = "6", .font = KeyFont, .back = DigitKeyColor},
    {.name = "Command1", .kind = Kind::Key, .parent = "Frame1", .left = 120, .top = 2520, .width = 615, .height = 615,
     .caption = "1", .font = KeyFont, .back = DigitKeyColor},
    {.name = "Command2", .kind = Kind::Key, .parent = "Frame1", .left = 840, .top = 2520, .width = 615, .height = 615,
     .caption = "2", .font = KeyFont, .back = DigitKeyColor},
    {.name = "Command3", .kind = Kind::Key, .parent = "Frame1", .left = 1560, .top = 2520, .width = 615, .height = 615,
     .caption = "3", .font = KeyFont, .back = DigitKeyColor},
    {.name = "Command0", .kind = Kind::Key, .parent = "Frame1", .left = 120, .top = 3240, .width = 615, .height = 615,
     .caption = "0", .font = KeyFont, .back = DigitKeyColor},
    {.name = "Command15", .kind = Kind::Key, .parent = "Frame1", .left = 840, .top = 3960, .width = 375, .height = 615,
     .caption = "(", .font = KeyFont, .back = PlainKeyColor},
    {.name = "Command16", .kind = Kind::Key, .parent = "Frame1", .left = 1320, .top = 3960, .width = 375, .height = 615,
     .caption = ")", .font = KeyFont, .back = PlainKeyColor},
    {.name = "Timer1", .kind = Kind::Timer, .parent = "Frame1", .left = 0, .top = 0, .width = 0, .height = 0},
    {.name = "Command18", .kind = Kind::Key, .parent = "Frame1", .left = 3000, .top = 1080, .width = 615, .height = 615,
     .caption = "<X", .font = KeyFont, .back = PlainKeyColor},
    {.name = "CommandButton2", .kind = Kind::ClearKey, .parent = "Frame1", .left = 120, .top = 3960, .width = 615, .height = 615,
     .caption = "Cl", .font = KeyFont, .back = 0x8080FF},
    {.name = "Image3", .kind = Kind::Image, .parent = nullptr, .left = 7095, .top = 2480, .width = 255, .height = 375,
     .tooltip = QT_TRANSLATE_NOOP("Form1", "Εμφάνιση εργαλείων"), .hidden = true, .picture = ":/pictures/show-tools.svg"},
    {.name = "Image7", .kind = Kind::Image, .parent = nullptr, .left = 8770, .top = 2480, .width = 255, .height = 375,
     .tooltip = QT_TRANSLATE_NOOP("Form1", "Απόκρυψη εργαλείων"), .picture = ":/pictures/hide-tools.svg"},
};

QFont makeFont(const FontSpec &wanted, const QFont &base)
{
    if (wanted.family == nullptr)
        return base;
    return designFont(QString::fromUtf8(wanted.family), wanted.points, wanted.bold, wanted.italic);
}

} // namespace

void Form1::buildControls()
{
    setObjectName(QStringLiteral("Form1"));
    // Where children share the account, the title says who plays.
    const QString child = m_services.files.profileName();
    setWindowTitle(ProgramName + QLatin1String(" v. ") + ProgramVersion
                   + (child.isEmpty() ? QString() : QStringLiteral(" — ") + child));
    setWindowIcon(programIcon());
    setAutoFillBackground(true);
    setBackColor(0x444444);
    // Fixed single border: minimisable, neither resizable nor maximisable.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(px(8970), px(5415));

    m_gate = new InputGate([this](QWidget *w) { return isBlocked(w); }, this, [this](QWidget *w) { pressRefused(w); });

    for (const Row &row : Design) {
        QWidget *parent = row.parent ? findChild<QWidget *>(QString::fromLatin1(row.parent)) : this;
        Q_ASSERT(parent != nullptr);
        const QString caption = QCoreApplication::translate("Form1", row.caption);
        QObject *control = nullptr;
        QWidget *widget = nullptr;
        switch (row.kind) {
        case Kind::Frame: {
            auto *frame = new Frame(caption, row.fore, parent);
            frame->setFont(makeFont(row.font, frame->font()));
            widget = frame;
            break;
        }
        case Kind::TextBox: {
            auto *box = new TextBox(parent);
            if (row.hidden)
                box->hide(); // before its font, which a hidden box lays out only when shown
            box->setFont(makeFont(row.font, box->font()));
            box->setText(caption);
            if (row.fore != NoColor)
                box->setForeColor(row.fore);
            if (row.back != NoColor)
                box->setBackColor(row.back);
            box->setAlignment(row.align | Qt::AlignVCenter);
            if (row.fore == TargetForeColor) {
                box->setFocusPolicy(Qt::NoFocus); // target boxes are not in the tab order
                box->setBorder(false);
            }
            widget = box;
            break;
        }
        case Kind::Key: {
            auto *key = new PushButton(row.back, parent);
            key->setText(caption);
            key->setFont(makeFont(row.font, key->font()));
            widget = key;
            break;
        }
        case Kind::ClearKey: {
            auto *key = new FormsButton(row.back, parent);
            key->setText(caption);
            key->setFont(makeFont(row.font, key->font()));
            widget = key;
            break;
        }
        case Kind::Image:
            widget = new ImageButton(QString::fromLatin1(row.picture), parent);
            break;
        case Kind::Label: {
            auto *label = new ClickLabel(caption, parent);
            label->setFont(makeFont(row.font, label->font()));
            setPaletteColor(label, QPalette::WindowText, row.fore);
            label->setAlignment(row.align | Qt::AlignTop);
            widget = label;
            break;
        }
        case Kind::Timer:
            control = new Countdown(m_services.clock, m_parents.secondsPerExercise, parent);
            break;
        }
        if (widget != nullptr) {
            widget->setGeometry(twipsRect(row.left, row.top, row.width, row.height));
            if (row.tooltip != nullptr)
                widget->setToolTip(QCoreApplication::translate("Form1", row.tooltip));
            if (row.hidden)
                widget->hide();
            widget->installEventFilter(m_gate);
            control = widget;
        }
        control->setObjectName(QString::fromLatin1(row.name));
        m_controls.push_back(control);
    }

    // The window's font is set once its controls have their own: a line edit lays out its text
    // in the font it starts with, and every control with text is given another, so set first it
    // would load a font engine that nothing on the screen draws with.
    setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));

#define NUMBOLO_BIND(name) name = findChild<std::remove_pointer_t<decltype(name)> *>(QStringLiteral(#name))
    NUMBOLO_BIND(Frame1); NUMBOLO_BIND(Frame2); NUMBOLO_BIND(Frame3); NUMBOLO_BIND(Frame4);
    NUMBOLO_BIND(Frame5); NUMBOLO_BIND(Frame6); NUMBOLO_BIND(Frame7); NUMBOLO_BIND(Frame9);
    NUMBOLO_BIND(Text1); NUMBOLO_BIND(Text2); NUMBOLO_BIND(Text3); NUMBOLO_BIND(Text4); NUMBOLO_BIND(Text5);
    NUMBOLO_BIND(Text6); NUMBOLO_BIND(Text7); NUMBOLO_BIND(Text8); NUMBOLO_BIND(Text9);
    NUMBOLO_BIND(Text12); NUMBOLO_BIND(Text13); NUMBOLO_BIND(Text14); NUMBOLO_BIND(Text15);
    NUMBOLO_BIND(Text16); NUMBOLO_BIND(Text17); NUMBOLO_BIND(Text18);
    NUMBOLO_BIND(Command0); NUMBOLO_BIND(Command1); NUMBOLO_BIND(Command2); NUMBOLO_BIND(Command3);
    NUMBOLO_BIND(Command4); NUMBOLO_BIND(Command5); NUMBOLO_BIND(Command6); NUMBOLO_BIND(Command7);
    NUMBOLO_BIND(Command8); NUMBOLO_BIND(Command9); NUMBOLO_BIND(Command10); NUMBOLO_BIND(Command11);
    NUMBOLO_BIND(Command12); NUMBOLO_BIND(Command13); NUMBOLO_BIND(Command14); NUMBOLO_BIND(Command15);
    NUMBOLO_BIND(Command16); NUMBOLO_BIND(Command17); NUMBOLO_BIND(Command18); NUMBOLO_BIND(Command19);
    NUMBOLO_BIND(Command20); NUMBOLO_BIND(CommandButton2);
    NUMBOLO_BIND(Image1); NUMBOLO_BIND(Image2); NUMBOLO_BIND(Image3); NUMBOLO_BIND(Image4);
    NUMBOLO_BIND(Image5); NUMBOLO_BIND(Image6); NUMBOLO_BIND(Image7); NUMBOLO_BIND(Image8);
    NUMBOLO_BIND(Label4); NUMBOLO_BIND(Timer1);
#undef NUMBOLO_BIND

    // Text16 sits over the "Ασκήσεις" frame although it is not inside it.
    Text16->raise();

    // The keyboard visits the window in a reading order: the two options and the red arrow
    // that starts the game, the exercise and the display, the targets' frame (which reads out
    // the targets that remain; the target boxes themselves take no focus), the keypad row by
    // row, the pause and the countdown, then the tools and the fold.
    Frame4->setFocusPolicy(Qt::TabFocus);
    static const char *const TabOrder[] = {
        "Text16", "Text14", "Image6", "Text17", "Text1", "Frame4",
        "Command7", "Command8", "Command9", "Command10", "Command18",
        "Command4", "Command5", "Command6", "Command11",
        "Command1", "Command2", "Command3", "Command12",
        "Command0", "Command14", "Command17", "Command13",
        "CommandButton2", "Command15", "Command16", "Command20",
        "Command19", "Text15",
        "Image1", "Label4", "Image8", "Image4", "Image5", "Image2", "Image7", "Image3",
    };
    QWidget *previous = nullptr;
    for (const char *name : TabOrder) {
        auto *next = findChild<QWidget *>(QString::fromLatin1(name));
        Q_ASSERT(next != nullptr);
        if (previous != nullptr)
            setTabOrder(previous, next);
        previous = next;
    }
}

} // namespace numbolo
