#include "base/Artwork.h"

#include <QCache>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

namespace {

struct Key {
    QString name;
    QSize size;
    int dpr100;
    bool operator==(const Key&) const = default;
};

size_t qHash(const Key& k, size_t seed = 0)
{
    return qHashMulti(seed, k.name, k.size.width(), k.size.height(), k.dpr100);
}

QCache<Key, QImage>& Cache()
{
    static QCache<Key, QImage> cache(4096);
    return cache;
}

class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(QString name) : m_name(std::move(name)) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QImage img = Artwork::Image(m_name, rect.size(), dpr);
        if (mode == QIcon::Disabled)
            img = Disabled(img);
        painter->drawImage(rect, img);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        QImage img = Artwork::Image(m_name, size, scale);
        if (mode == QIcon::Disabled)
            img = Disabled(img);
        return QPixmap::fromImage(img);
    }
    QIconEngine* clone() const override { return new SvgIconEngine(m_name); }

private:
    static QImage Disabled(const QImage& src)
    {
        QImage out = src.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < out.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x) {
                const int g = 128 + qGray(line[x]) / 2;
                line[x] = qRgba(g, g, g, qAlpha(line[x]) / 2);
            }
        }
        return out;
    }
    QString m_name;
};

} // namespace

namespace Artwork {

QString Path(const QString& name)
{
    return QStringLiteral(":/artwork/%1.svg").arg(name);
}

QImage Image(const QString& name, QSize size, qreal dpr)
{
    const Key key{name, size, qRound(dpr * 100)};
    if (const QImage* cached = Cache().object(key))
        return *cached;
    QSvgRenderer renderer(Path(name));
    if (!renderer.isValid() || size.isEmpty())
        return {};
    QImage img(size * dpr, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size * dpr)));
    }
    img.setDevicePixelRatio(dpr);
    Cache().insert(key, new QImage(img), 1);
    return img;
}

QPixmap Pixmap(const QString& name, QSize size, qreal dpr)
{
    return QPixmap::fromImage(Image(name, size, dpr));
}

QIcon Icon(const QString& name)
{
    return QIcon(new SvgIconEngine(name));
}

} // namespace Artwork
