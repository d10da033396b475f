// Renders the window icon to pixels at build time:
//
//   render_icon PICTURE.svg OUTDIR SIZE...
//
// writes OUTDIR/numbolo-SIZE.rgba for each SIZE: the pixels, drawn by Qt's own SVG icon engine
// just as QIcon draws the picture for a window, row after row, each pixel as the bytes red,
// green, blue and alpha (premultiplied). The program gives its window the same icon from them
// without loading the SVG engine or parsing the picture at start-up, and without an image
// reader, which would load every image plugin to ask whether it reads the file.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <cstdio>

int main(int argc, char *argv[])
{
    // No display is needed to draw into an image, and a build machine may have none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: render_icon PICTURE.svg OUTDIR SIZE...\n");
        return 2;
    }
    const QIcon icon(args.at(1));
    const QDir out(args.at(2));
    for (const QString &arg : args.mid(3)) {
        bool ok = false;
        const int size = arg.toInt(&ok);
        const QPixmap pixmap = ok && size > 0 ? icon.pixmap(QSize(size, size), 1.0) : QPixmap();
        const QImage pixels = pixmap.toImage().convertToFormat(QImage::Format_RGBA8888_Premultiplied);
        const QString path = out.filePath(QStringLiteral("numbolo-%1.rgba").arg(arg));
        QFile file(path);
        const auto bytes = qint64(size) * size * 4;
        if (pixels.size() != QSize(size, size) || pixels.bytesPerLine() != size * 4 || !file.open(QIODevice::WriteOnly)
            || file.write(reinterpret_cast<const char *>(pixels.constBits()), bytes) != bytes || !file.flush()) {
            std::fprintf(stderr, "render_icon: could not draw %s at %s pixels into %s\n", qPrintable(args.at(1)),
                         qPrintable(arg), qPrintable(path));
            return 1;
        }
    }
    return 0;
}
