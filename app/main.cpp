#include "app/platform.h"
#include "app/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.numbolo.Numbolo"));
    numbolo::setupApplication();

    numbolo::RealServices real;
    return numbolo::runGame(real.services());
}
