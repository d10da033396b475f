// Fuzzes start-up from an arbitrary settings file: the input is written as the INI file, then
// the main window loads on fake services (offscreen, no real dialogs, no real time), takes a
// few clicks and three minutes of its clock (through a time-out), and is closed. Besides
// crashes, hangs and sanitizer reports it checks that
//   - start-up never shows a message and always leaves a running window, whatever the file;
//   - start-up leaves a playable window: no game with open option boxes, or eight targets;
//   - closing ends the program and reports at most one error, and a save that failed left
//     the file as it was.

#include "app/setup.h"
#include "game/form1.h"
#include "tests/fakes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace numbolo;
using namespace numbolo::testing;

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.*=false");
    // Never destroyed: at exit, Qt's own statics may already be gone.
    new QApplication(*argc, *argv);
    setupApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    World world;
    world.shipFont();
    world.installFont();
    QDir().mkpath(QFileInfo(world.settings.path).path());
    {
        QFile ini(world.settings.path);
        if (!ini.open(QIODevice::WriteOnly))
            fail("cannot write the settings file");
        ini.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    std::unique_ptr<Form1> form = world.start();
    if (form->hasEnded() || !world.messages.shown.empty())
        fail("start-up showed a message or ended the program");
    // Playable: either no game, with the option boxes open, or a game with eight targets.
    if (form->Text17->text() == QLatin1String("0")) {
        if (form->Text14->isLocked() || form->Text16->isLocked())
            fail("no game, but the option boxes are locked");
    } else {
        for (const TextBox *target : form->targetBoxesByName())
            if (target->text().isEmpty())
                fail("a game without its eight targets");
    }

    // A few clicks: a usable digit, "=", the red arrow (start, or skip answered "Yes").
    for (const KeyRow &row : CharacterKeys) {
        if ((form.get()->*row.key)->isEnabled() && row.startsCountdown) {
            click(form.get()->*row.key);
            break;
        }
    }
    click(form->Command17);
    world.messages.answers = {MessageAnswer::Yes};
    click(form->Image6);
    world.clock.advance(181'000); // through a time-out

    // The window does not close while the success window holds a solved exercise: "ΟΚ" first.
    if (form->successWindow() != nullptr && !form->isFormEnabled())
        click(form->successWindow()->Command1);
    const std::size_t before = world.messages.shown.size();
    form->close();
    if (!form->hasEnded())
        fail("closing did not end the program");
    if (world.messages.shown.size() > before + 1)
        fail("closing reported more than one error");
    if (world.messages.shown.size() == before + 1) {
        // The save failed: the file must be the one the game started from.
        QFile ini(world.settings.path);
        if (ini.open(QIODevice::ReadOnly) && ini.readAll() != QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)))
            fail("a failed save changed the settings file");
    }
    return 0;
}
