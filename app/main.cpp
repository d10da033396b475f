#include "app/form1.h"
#include "app/platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.numbolo.Numbolo"));
    numbolo::setupApplication();

    numbolo::RealServices real;
    numbolo::Form1 window(real.services());
    QObject::connect(&window, &numbolo::Form1::programEnded, &app, &QCoreApplication::exit, Qt::QueuedConnection);
    window.load();
    if (window.hasEnded())
        return 1;
    window.show();
    return app.exec();
}
