// Plays one of the game's sounds through the real sound service, for listening tests and for
// the capture check in bench/sound_check.sh. Prints how long the play call took.
//   sound_play MYSOUND|KOTA [milliseconds to keep running] [times]

#include "app/setup.h"
#include "desktop/qtsound.h"
#include "services/services.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    numbolo::setupApplication();
    const QStringList args = app.arguments();
    const auto sound = args.value(1) == QLatin1String("KOTA") ? numbolo::Sound::EndMusic : numbolo::Sound::Hit;
    const int runMs = args.value(2, QStringLiteral("2000")).toInt();
    const int times = std::max(1, args.value(3, QStringLiteral("1")).toInt());

    numbolo::QtSoundPlayer player;
    int played = 0;
    const int gap = runMs / times;
    auto playOnce = [&] {
        QElapsedTimer call;
        call.start();
        player.play(sound);
        std::printf("play %d took %.3f ms\n", ++played, call.nsecsElapsed() / 1e6);
        std::fflush(stdout);
    };
    playOnce();
    QTimer repeat;
    QObject::connect(&repeat, &QTimer::timeout, [&] {
        if (played < times)
            playOnce();
    });
    repeat.start(gap);
    QTimer::singleShot(runMs, &app, &QCoreApplication::quit);
    return app.exec();
}
