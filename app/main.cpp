#include "app/commandline.h"
#include "app/language.h"
#include "app/profilegame.h"
#include "app/profilestart.h"
#include "app/realservices.h"
#include "app/runclass.h"
#include "app/rungame.h"
#include "app/runprogress.h"
#include "app/setup.h"
#include "desktop/modules.h"
#include "desktop/qtmessageboxes.h"
#include "desktop/userplayerfiles.h"

#include <QApplication>

#include <optional>

namespace {

// Whose history a report is of: the child's where one was named, the account's own otherwise.
const numbolo::PlayerFiles &reported(const numbolo::PlayerFiles &account, const std::optional<numbolo::ProfileFiles> &child)
{
    return child ? static_cast<const numbolo::PlayerFiles &>(*child) : account;
}

} // namespace

int main(int argc, char *argv[])
{
    const numbolo::CommandLine command = numbolo::readCommandLine(argc, argv);
    if (command.run == numbolo::Run::Exit)
        return command.status;
    // The game's texts in the desktop's language, given to each application object as it is made,
    // before it makes any text.
    const QString language = numbolo::desktopLanguage();
    // The account's own files: its one player's, and beside them the profiles of its children.
    numbolo::UserPlayerFiles account;
    const bool csv = command.run == numbolo::Run::ProgressCsv || command.run == numbolo::Run::ProgressTargetsCsv;
    std::optional<numbolo::Profile> child;
    std::optional<numbolo::ProfileFiles> childFiles;
    {
        // Who the start is for is known before a display is needed, so that a name that is no
        // child's ends it at once, with a display or without. The files are named after the
        // program, which the application object knows.
        QCoreApplication names(argc, argv);
        numbolo::useLanguage(language);
        if (command.run == numbolo::Run::Profiles)
            return numbolo::listProfiles(account);
        // The class's play is the school's, read with the account's login: no child is chosen.
        if (command.run == numbolo::Run::ClassCsv)
            return numbolo::runClassCsv(numbolo::moduleFolders(), account);
        const numbolo::StartFor start = numbolo::startFor(account, command.profile, csv || command.run == numbolo::Run::ProgressPdf);
        if (start.status != 0)
            return start.status;
        child = start.profile;
        if (child)
            childFiles.emplace(numbolo::ProfileList(account).files(*child));
        if (csv)
            return numbolo::runProgress(command.run, numbolo::moduleFolders(), reported(account, childFiles));
    }

    // The PDF is drawn without a display: on Qt's offscreen platform, unless one was asked for.
    // Qt's minimal platform, also made for no display, has the system's fonts only when asked.
    if (command.run == numbolo::Run::ProgressPdf && !command.platformGiven) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        else if (qgetenv("QT_QPA_PLATFORM") == "minimal")
            qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts");
    }
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.numbolo.Numbolo"));
    numbolo::setupApplication();
    numbolo::useLanguage(language);
    if (command.run == numbolo::Run::ProgressPdf)
        return numbolo::runProgress(command.run, numbolo::moduleFolders(), reported(account, childFiles), command.file);
    if (command.run == numbolo::Run::ProgressWindow)
        return numbolo::runProgressWindow(numbolo::moduleFolders(), account, child ? child->id : QString());

    numbolo::QtMessageBoxes messages;
    return numbolo::runAccountGame({account, messages, command.profile, numbolo::chooseInWindow,
                                    [](numbolo::PlayerFiles &files, numbolo::InstanceLock &instance) {
                                        numbolo::RealServices real(files);
                                        return numbolo::playGame(real.services(), instance);
                                    }});
}
