#include "game/form1.h"

#include "controls/designfont.h"
#include "controls/focusring.h"
#include "game/announce.h"

#include "engine/exercise.h"
#include "arithmetic/numbertext.h"
#include "settings/settings.h"
#include "windows/form3.h"
#include "windows/colourdialog.h"
#include "windows/form2.h"
#include "services/programname.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>

#include <algorithm>
#include <functional>

#include <cmath>

namespace numbolo {

namespace {

const QString AppTitle = ProgramName;
const QString FontFileName = QStringLiteral("DS-DIGI.TTF");
const QString DisplayFamily = QStringLiteral("DS-Digital");

// Stored levels are usable where the generator meets its goals in a moment; the game itself
// only makes levels from about 1.16 to 3.12.
constexpr double MinUsableLevel = 1.05;
constexpr double MaxUsableLevel = 10.0;

bool isWhole(double value)
{
    return std::floor(value) == value;
}

} // namespace

Form1::Form1(Services services, QWidget *parent)
    : QWidget(parent), m_services(services), m_results(services.clock), m_credits(services.clock)
{
    // Make sure the display face is there even when the user's font folder lacks it. This comes
    // first: a box given its text before the face is known keeps a fallback font.
    if (!familyInstalled(DisplayFamily)) {
        QStringList folders = m_services.fonts.programFolders();
        folders.prepend(m_services.fonts.systemFontFolder());
        for (const QString &folder : std::as_const(folders)) {
            const QString path = QDir(folder).filePath(FontFileName);
            if (QFileInfo::exists(path) && QFontDatabase::addApplicationFont(path) >= 0)
                break;
        }
    }
    installPressableButtons();
    buildControls();
    connectHandlers();
    applyAccessibleNames(*this);
    new FocusRing(this);
    installEventFilter(this);
    for (QObject *control : m_controls)
        control->installEventFilter(this);
    m_services.messages.setOwner(this);
}

Form1::~Form1()
{
    m_results.stop();
    m_credits.stop();
    delete m_help.data();
    delete m_colours.data();
    delete m_success.data();
}

void Form1::load()
{
    run([this] { Form_Load(); });
}

std::vector<PushButton *> Form1::keysWithBackColor(VbColor marker) const
{
    std::vector<PushButton *> keys;
    for (PushButton *key : controlsOf<PushButton>())
        if (key->backColor() == marker)
            keys.push_back(key);
    return keys;
}

std::vector<TextBox *> Form1::textBoxesWithForeColor(VbColor marker) const
{
    std::vector<TextBox *> boxes;
    for (TextBox *box : controlsOf<TextBox>())
        if (box->foreColor() == marker)
            boxes.push_back(box);
    return boxes;
}

std::vector<TextBox *> Form1::targetBoxesByName() const
{
    return {Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9};
}

bool Form1::isBlocked(const QWidget *widget) const
{
    if (m_ended || m_openMessages > 0)
        return true;
    // The other windows (the colour picker) wait only for the questions.
    if (widget->window() != this)
        return false;
    if (!m_formEnabled || outOfSight(widget))
        return true;
    for (const QWidget *w = widget; w != nullptr && w != this; w = w->parentWidget())
        if (const auto *frame = qobject_cast<const Frame *>(w); frame && !frame->isFrameEnabled())
            return true;
    return false;
}

bool Form1::outOfSight(const QWidget *control) const
{
    return control != this && !rect().intersects(QRect(control->mapTo(this, QPoint(0, 0)), control->size()));
}

void Form1::pressRefused(const QWidget *control)
{
    if (!m_ended && m_openMessages == 0 && m_formEnabled && !Frame1->isFrameEnabled() && control->window() == this)
        Announce::gameOver(*this);
}

void Form1::updateFocusReach()
{
    for (QObject *control : m_controls) {
        auto *widget = qobject_cast<QWidget *>(control);
        const bool focusable = qobject_cast<QAbstractButton *>(control) != nullptr
            || (qobject_cast<TextBox *>(control) != nullptr && static_cast<TextBox *>(control)->foreColor() != TargetForeColor);
        if (focusable)
            widget->setFocusPolicy(outOfSight(widget) ? Qt::NoFocus : Qt::StrongFocus);
    }
}

bool Form1::gameRunning() const
{
    const auto cur = NumberText::parse(Text17->text());
    return cur && *cur != 0 && Frame1->isFrameEnabled();
}

void Form1::setBackColor(VbColor color)
{
    m_back = color;
    setPaletteColor(this, QPalette::Window, color);
}

void Form1::setOuterWidth(int twips)
{
    // The window frame takes 90 twips of the outer width. Folded (7400), that would end the
    // window at 7310 twips, 40 twips into the show-tools button Image3 at the right edge of the
    // play area; the window ends just right of the button instead, so all of it shows.
    int client = px(twips - 90);
    const QRect button = Image3->geometry();
    if (client > button.left() && client <= button.right())
        client = button.right() + 1;
    setFixedWidth(client);
    updateFocusReach();
}

MessageAnswer Form1::message(MessageIcon icon, MessageButtons buttons, const QString &title, const QString &text)
{
    // While a message box is open the window takes no input, whatever the path.
    ++m_openMessages;
    const MessageAnswer answer = m_services.messages.show({icon, buttons, title, text});
    --m_openMessages;
    return m_ended ? MessageAnswer::Dismissed : answer;
}

void Form1::fail(const RuntimeError &error)
{
    if (m_ended)
        return;
    m_ended = true;
    Timer1->setEnabled(false);
    m_results.stop();
    m_credits.stop();
    m_services.messages.show({MessageIcon::Critical, MessageButtons::Ok, AppTitle, error.message()});
    endProgram(1);
}

void Form1::endProgram(int code)
{
    m_ended = true;
    Timer1->setEnabled(false);
    m_results.stop();
    m_credits.stop();
    for (QWidget *window : {static_cast<QWidget *>(m_help.data()), static_cast<QWidget *>(m_colours.data()),
                            static_cast<QWidget *>(m_success.data())})
        if (window != nullptr)
            window->deleteLater();
    hide();
    emit programEnded(code);
}

void Form1::disableDigitKeys()
{
    for (PushButton *key : keysWithBackColor(DigitKeyColor))
        key->setEnabled(false);
}

// ---- Start-up ----------------------------------------------------------------------------

void Form1::Form_Load()
{
    // The evaluator is a member, created with the window and kept until the program ends.
    // A stored number reads whichever decimal separator a locale wrote into it, so a game saved
    // under other number settings resumes; it is shown in this locale's form.
    const QHash<QString, QString> stored = StoredSettings::read(m_services.files.iniPath());
    readParentSettings();
    resetCountdown();
    const auto restore = [&stored](TextBox *box, const char *key) {
        box->setText(NumberText::fromStored(stored.value(QString::fromLatin1(key))));
    };
    restore(Text12, "Level");
    restore(Text13, "score");
    restore(Text18, "nums");
    restore(Text17, "cur");
    restore(Text16, "reps");
    restore(Text14, "maxnums");

    const QString cur = Text17->text();
    if (cur != QLatin1String("0") && !cur.isEmpty()) {
        // A game was under way. Values that cannot make a game (damaged or edited by hand)
        // would fail at every start, so they start clean with no game and no score instead.
        if (storedGameUsable()) {
            // The score counts the exercises solved before the current one; any other stored
            // score would fail at every solved exercise and at the end, so it starts at 0.
            if (!storedScoreUsable(std::max(*NumberText::parse(cur) - 1, 0.0)))
                Text13->setText(QStringLiteral("0"));
            // A game saved before games had ids gets one now, and is saved with it at once, so
            // that every record of its exercises names the same game.
            m_gameId = StoredSettings::gameId(m_services.files.iniPath());
            const bool newId = m_gameId.isEmpty();
            // The game keeps the time it started with; a setting changed since counts from the
            // next game.
            if (const auto seconds = Parents::gameSeconds(m_services.files.iniPath());
                seconds && *seconds != m_parents.secondsPerExercise) {
                m_parents.secondsPerExercise = *seconds;
                resetCountdown();
            }
            if (newId)
                newGameId();
            DrawExercise();
            if (newId)
                checkpoint();
            // Said once the window is up and a screen reader is there to hear it.
            Announce::timeSetting(*this);
            Announce::exercise(*this);
        } else {
            Text17->setText(QStringLiteral("0"));
            Text13->setText(QStringLiteral("0"));
        }
    }

    if (Text17->text() == QLatin1String("0")) {
        // The next game counts on from the stored score, which no game has made yet.
        if (!storedScoreUsable(0))
            Text13->setText(QStringLiteral("0"));
        disableDigitKeys();
        Text14->setLocked(false);
        Text16->setLocked(false);
    } else if (Text17->text().isEmpty()) {
        // The very first start.
        disableDigitKeys();
        Text17->setText(QStringLiteral("0"));
        Text13->setText(QStringLiteral("0"));
        Text14->setLocked(false);
        Text16->setLocked(false);
        installDisplayFont();
    }
}

void Form1::readParentSettings()
{
    m_parents = Parents::read(m_services.files.iniPath());
}

bool Form1::storedGameUsable() const
{
    const auto level = NumberText::parse(Text12->text());
    const auto nums = NumberText::parse(Text18->text());
    const auto maxnums = NumberText::parse(Text14->text());
    const auto reps = NumberText::parse(Text16->text());
    const auto cur = NumberText::parse(Text17->text());
    if (!level || !nums || !maxnums || !reps || !cur)
        return false;
    if (*level <= 1 || *level < MinUsableLevel || *level > MaxUsableLevel)
        return false;
    if (!isWhole(*reps) || *reps < 10 || *reps > 300)
        return false;
    // Only the exact text "0" means no game; other spellings of zero ("00", " 0") resume.
    return isWhole(*cur) && *cur >= 0 && *cur <= *reps;
}

bool Form1::storedScoreUsable(double played) const
{
    const auto score = NumberText::parse(Text13->text());
    return score && isWhole(*score) && *score >= 0 && *score <= played;
}

void Form1::installDisplayFont()
{
    // Failures here are silent: the game falls back to sizes that suit a substituted font.
    const QString folder = m_services.fonts.systemFontFolder();
    const QString target = QDir(folder).filePath(FontFileName);
    // Only a file counts as the installed font; a folder of that name would block the copy.
    if (QFileInfo(target).isFile())
        return;

    QString source;
    for (const QString &candidate : m_services.fonts.programFolders()) {
        if (QFileInfo(QDir(candidate).filePath(FontFileName)).isFile()) {
            source = QDir(candidate).filePath(FontFileName);
            break;
        }
    }
    const bool copied = !source.isEmpty() && QFile::copy(source, target);

    if (!copied) {
        for (TextBox *box : controlsOf<TextBox>()) {
            box->setFontSize(18);
            box->setFontBold(false);
        }
        for (TextBox *box : {Text14, Text15, Text16, Text17})
            box->setFontSize(14);
        return;
    }
    QFontDatabase::addApplicationFont(target);
    message(MessageIcon::Information, MessageButtons::Ok, AppTitle,
            QCoreApplication::translate("Form1", "Προκειμένου κάποιοι χαρακτήρες να εμφανίζονται σωστά, το Numbolo εγκατέστησε πρόσθετες "
                           "γραμματοσειρές στο σύστημά σας. Αν οι αριθμοί δεν εμφανίζονται σωστά, επανεκκινήστε το "
                           "πρόγραμμα."));
}

// ---- Shutdown ----------------------------------------------------------------------------

void Form1::closeEvent(QCloseEvent *event)
{
    // While the success window holds the game (the exercise scored, the counter not yet moved
    // on) this window is disabled, and a disabled window does not close: the child finishes
    // with "ΟΚ" first.
    if (!m_ended && !m_formEnabled) {
        event->ignore();
        if (m_success != nullptr) {
            m_success->raise();
            m_success->activateWindow();
        }
        return;
    }
    if (!m_ended)
        run([this] { Form_Unload(); });
    event->accept();
}

void Form1::shutDown()
{
    m_endRequested = true;
    if (!m_ended)
        run([this] { Form_Unload(); });
}

void Form1::Form_Unload()
{
    if (!Frame1->isFrameEnabled()) {
        // The game has ended: it is stored as "no game", with every value "0".
        for (TextBox *box : {Text12, Text13, Text14, Text17, Text18, Text16})
            box->setText(QStringLiteral("0"));
    }
    // Stop everything that moves before anything else can run, e.g. during the message below.
    Timer1->setEnabled(false);
    m_results.stop();
    m_credits.stop();
    m_ended = true;

    QString error;
    const StoredSettings::Saved saved = saveProgress(&error);
    const QString file = QDir::toNativeSeparators(m_services.files.iniPath());
    const auto tell = [this](const QString &text) {
        // An end the session asked for (a logout, a shutdown) waits on no one: nobody may be
        // there to answer a message, and the session would wait for the program or kill it.
        if (m_endRequested)
            tellOnStandardError(text);
        else
            m_services.messages.show({MessageIcon::Critical, MessageButtons::Ok, AppTitle, text});
    };
    if (saved == StoredSettings::Saved::No) {
        tell(QCoreApplication::translate("Form1", "Η πρόοδος του παιχνιδιού δεν αποθηκεύτηκε.\n\n%1\n%2\n\nΤο "
                            "προηγούμενο αρχείο ρυθμίσεων έμεινε όπως ήταν.")
                 .arg(error, file));
    } else if (saved == StoredSettings::Saved::Unconfirmed) {
        // The file is written; only its safety against a power cut is in doubt.
        tell(QCoreApplication::translate("Form1", "Η πρόοδος του παιχνιδιού γράφτηκε στο αρχείο, αλλά δεν είναι "
                            "βέβαιο ότι θα αντέξει μια διακοπή ρεύματος.\n\n%1\n%2")
                 .arg(error, file));
    }
    endProgram(saved == StoredSettings::Saved::Yes ? 0 : 1);
}

void Form1::yieldToAnotherCopy()
{
    if (m_ended)
        return;
    Timer1->setEnabled(false);
    m_results.stop();
    m_credits.stop();
    m_ended = true; // from here on nothing is saved
    const QString text = QCoreApplication::translate("Form1", "Το Numbolo άνοιξε σε άλλον υπολογιστή και το παιχνίδι συνεχίζεται "
                                                     "εκεί. Αυτό το παράθυρο κλείνει χωρίς να αποθηκεύσει.");
    if (m_endRequested)
        tellOnStandardError(text);
    else
        m_services.messages.show({MessageIcon::Information, MessageButtons::Ok, AppTitle, text});
    endProgram(0);
}

void Form1::checkpoint()
{
    if (m_ended)
        return;
    QString ignored;
    saveProgress(&ignored);
}

StoredSettings::Values Form1::valuesToStore() const
{
    QString level = Text12->text(), score = Text13->text(), maxnums = Text14->text(), cur = Text17->text(),
            nums = Text18->text(), reps = Text16->text();
    // A solved exercise counts once: while the success window waits for its button (the only
    // time this window is disabled), the game is stored as the button will leave it, one
    // exercise on, or ended after the last one.
    if (!m_formEnabled && Frame1->isFrameEnabled()) {
        if (Exercise::isLastExercise(cur, reps)) {
            level = score = maxnums = cur = nums = reps = QStringLiteral("0");
        } else {
            skipOnError([&] {
                const Exercise::Position next = Exercise::nextExercise({cur, level, nums}, maxnums, reps);
                cur = next.cur;
                level = next.level;
                nums = next.nums;
            });
        }
    }
    // An ended game is stored as no game, with every value "0", as the close leaves it.
    if (!Frame1->isFrameEnabled())
        level = score = maxnums = cur = nums = reps = QStringLiteral("0");
    return {{QStringLiteral("Level"), level}, {QStringLiteral("score"), score}, {QStringLiteral("maxnums"), maxnums},
            {QStringLiteral("cur"), cur},     {QStringLiteral("nums"), nums},   {QStringLiteral("reps"), reps}};
}

StoredSettings::Saved Form1::saveProgress(QString *error)
{
    recordSolvedExercise();
    const StoredSettings::Values values = valuesToStore();
    // The id goes with the game: none is kept once the stored counter says no game.
    const auto cur = std::find_if(values.begin(), values.end(), [](const auto &value) { return value.first == QLatin1String("cur"); });
    const bool game = cur->second != QLatin1String("0") && !cur->second.isEmpty();
    return StoredSettings::write(m_services.files, values,
                                 game ? Parents::gameValues(m_gameId, m_parents) : StoredSettings::Values{}, error);
}

// ---- Restart -----------------------------------------------------------------------------

void Form1::Image5_Click()
{
    if (message(MessageIcon::Exclamation, MessageButtons::YesNo, QCoreApplication::translate("Form1", "Επανεκκίνηση"),
                QCoreApplication::translate("Form1", "Θές σίγουρα να επανεκκινήσεις το πρόγραμμα;"))
        != MessageAnswer::Yes)
        return;
    // A game that ended while the question was open stays ended.
    if (!Frame1->isFrameEnabled())
        return;
    if (gameRunning())
        m_play.gameEnded(gameFacts(), GameEnd::Restarted, -1);
    exerciseChanged();
    Text17->setText(QStringLiteral("0"));
    Text12->setText(QStringLiteral("0"));
    Text13->setText(QStringLiteral("0"));
    Text18->setText(QStringLiteral("0"));
    Text16->setText(QString());
    Text14->setText(QString());
    Text14->setLocked(false);
    Text16->setLocked(false);
    resetCountdown();
    for (TextBox *box : textBoxesWithForeColor(TargetForeColor))
        box->setText(QString());
    // The window is now exactly as a start with no game: the digits wait for a new game, so
    // no countdown can start without one.
    disableDigitKeys();
    // Saved at once, and the game's id with it: after a crash the game the history calls
    // restarted must not come back.
    checkpoint();
    Announce::restarted(*this);
}

// ---- Wiring ------------------------------------------------------------------------------

void Form1::connectHandler(QAbstractButton *control, std::function<void()> handler)
{
    guard(control);
    connect(control, &QAbstractButton::clicked, this, [this, control, handler = std::move(handler)] {
        if (!isBlocked(control))
            run(handler);
        else
            pressRefused(control);
    });
}

void Form1::connectHandlers()
{
    const auto on = [this](QAbstractButton *control, void (Form1::*handler)()) {
        connectHandler(control, [this, handler] { (this->*handler)(); });
    };
    for (const KeyRow &row : CharacterKeys)
        connectHandler(this->*row.key, [this, &row] { CharacterKey_Click(row); });
    on(Command17, &Form1::Command17_Click);
    on(Command18, &Form1::Command18_Click);
    on(Command19, &Form1::Command19_Click);
    on(CommandButton2, &Form1::CommandButton2_Click);
    on(Image1, &Form1::Image1_Click);
    on(Image2, &Form1::Image2_Click);
    on(Image3, &Form1::Image3_Click);
    on(Image4, &Form1::Image4_Click);
    on(Image5, &Form1::Image5_Click);
    on(Image6, &Form1::Image6_Click);
    on(Image7, &Form1::Image7_Click);
    on(Image8, &Form1::Image8_Click);
    on(Label4, &Form1::Label4_Click);
    // The timer is no control a person reaches: its seconds are not gated.
    connect(Timer1, &Countdown::secondsChanged, this, [this] { run([this] { Timer1_Timer(); }); });
    connect(Timer1, &Countdown::ranOut, this, [this] { run([this] { timeRanOut(); }); });
    for (TextBox *box : controlsOf<TextBox>())
        box->setEditGate([this, box] { return !isBlocked(box) && !box->isLocked(); });
}

} // namespace numbolo
