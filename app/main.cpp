#include "app/commandline.h"
#include "app/realservices.h"
#include "app/runclass.h"
#include "app/rungame.h"
#include "app/runprogress.h"
#include "app/setup.h"
#include "desktop/modules.h"
#include "desktop/userplayerfiles.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const numbolo::CommandLine command = numbolo::readCommandLine(argc, argv);
    if (command.run == numbolo::Run::Exit)
        return command.status;
    // Where the player's settings and history are, for the game and the progress window alike.
    numbolo::UserPlayerFiles files;
    if (command.run == numbolo::Run::ProgressCsv || command.run == numbolo::Run::ProgressTargetsCsv) {
        QCoreApplication app(argc, argv); // no display needed
        return numbolo::runProgress(command.run, numbolo::moduleFolders(), files);
    }
    if (command.run == numbolo::Run::ClassCsv) {
        QCoreApplication app(argc, argv); // no display needed
        return numbolo::runClassCsv(numbolo::moduleFolders(), files);
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
    if (command.run == numbolo::Run::ProgressWindow || command.run == numbolo::Run::ProgressPdf)
        return numbolo::runProgress(command.run, numbolo::moduleFolders(), files, command.file);

    numbolo::RealServices real(files);
    return numbolo::runGame(real.services());
}
