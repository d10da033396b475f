#include "app/commandline.h"
#include "app/realservices.h"
#include "app/rungame.h"
#include "app/runprogress.h"
#include "app/setup.h"
#include "desktop/modules.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const numbolo::CommandLine command = numbolo::readCommandLine(argc, argv);
    if (command.run == numbolo::Run::Exit)
        return command.status;
    if (command.run == numbolo::Run::ProgressCsv || command.run == numbolo::Run::ProgressTargetsCsv) {
        QCoreApplication app(argc, argv); // no display needed
        return numbolo::runProgress(command.run, numbolo::moduleFolders());
    }

    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.numbolo.Numbolo"));
    numbolo::setupApplication();
    if (command.run == numbolo::Run::ProgressWindow)
        return numbolo::runProgress(command.run, numbolo::moduleFolders());

    numbolo::RealServices real;
    return numbolo::runGame(real.services());
}
