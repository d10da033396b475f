#include "controls/windowicon.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QResource>

namespace numbolo {

namespace {

const QString Picture = QStringLiteral(":/pictures/numbolo.svg");

class PrerenderedIconEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        if (size.width() == size.height() && mode == QIcon::Normal && state == QIcon::Off) {
            // Drawn at build time by the engine the fallback below uses (see render_icon).
            const QResource drawn(QStringLiteral(":/icon/numbolo-%1.rgba").arg(size.width()));
            if (drawn.isValid() && drawn.uncompressedSize() == qint64(size.width()) * size.height() * 4) {
                const QByteArray bytes = drawn.uncompressedData();
                return QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(bytes.constData()), size.width(),
                                                 size.height(), size.width() * 4,
                                                 QImage::Format_RGBA8888_Premultiplied));
            }
        }
        return QIcon(Picture).pixmap(size, 1.0, mode, state);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        // Before Qt 6.8, QIcon passes the size in device pixels already.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        return pixmap((QSizeF(size) * scale).toSize(), mode, state);
#else
        Q_UNUSED(scale);
        return pixmap(size, mode, state);
#endif
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, pixmap((QSizeF(rect.size()) * scale).toSize(), mode, state));
    }

    QIconEngine *clone() const override { return new PrerenderedIconEngine; }
};

} // namespace

QIcon programIcon()
{
    return QIcon(new PrerenderedIconEngine);
}

} // namespace numbolo
