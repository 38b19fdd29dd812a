#include "base/ImageList.h"

#include "base/Artwork.h"

#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>

namespace {

QImage Greyed(const QImage& image)
{
    QImage img = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int g = 96 + qGray(line[x]) * 5 / 8;
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A picture of the list at whatever size a view asks for: artwork is
// rendered at that size (large toolbar icons are crisp, not 16 pixels in
// a bigger box), a fixed image is scaled.
class TImageListIconEngine : public QIconEngine {
public:
    TImageListIconEngine(QString artwork, QImage image)
        : m_artwork(std::move(artwork)), m_image(std::move(image))
    {
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, dpr));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        QImage img;
        if (!m_artwork.isEmpty()) {
            img = Artwork::Image(m_artwork, size, scale);
        } else {
            img = m_image.scaled(size * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            img.setDevicePixelRatio(scale);
        }
        return QPixmap::fromImage(mode == QIcon::Disabled ? Greyed(img) : img);
    }
    QIconEngine* clone() const override { return new TImageListIconEngine(m_artwork, m_image); }

private:
    QString m_artwork;
    QImage m_image;
};

} // namespace

TImageList::TImageList(int width, int height, QObject* parent)
    : QObject(parent), m_width(width), m_height(height)
{
}

int TImageList::AddArtwork(const QString& name)
{
    m_entries.append(Entry{name, {}});
    return Count() - 1;
}

int TImageList::AddImage(const QImage& image)
{
    m_entries.append(Entry{{}, image.convertToFormat(QImage::Format_ARGB32_Premultiplied)});
    return Count() - 1;
}

void TImageList::ReplaceImage(int index, const QImage& image, std::optional<QColor> transparent)
{
    if (index < 0 || index >= Count())
        return;
    QImage img = image.convertToFormat(QImage::Format_ARGB32);
    if (transparent) {
        const QRgb key = transparent->rgb() | 0xFF000000u;
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((line[x] | 0xFF000000u) == key && qAlpha(line[x]) == 255)
                    line[x] = 0;
        }
    }
    m_entries[index] = Entry{{}, img.convertToFormat(QImage::Format_ARGB32_Premultiplied)};
    emit Changed(index);
}

QImage TImageList::Image(int index, qreal dpr) const
{
    if (index < 0 || index >= Count())
        return {};
    const Entry& e = m_entries[index];
    if (!e.artwork.isEmpty())
        return Artwork::Image(e.artwork, Size(), dpr);
    if (e.image.size() == Size())
        return e.image;
    // A picture drawn larger than the list keeps its detail for screens
    // of a higher device pixel ratio, instead of being enlarged there.
    const QSize device = Size() * dpr;
    QImage img = e.image.size() == device
                     ? e.image
                     : e.image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    img.setDevicePixelRatio(dpr);
    return img;
}

QPixmap TImageList::Pixmap(int index, qreal dpr) const
{
    return QPixmap::fromImage(Image(index, dpr));
}

QImage TImageList::DisabledImage(int index, qreal dpr) const
{
    return Greyed(Image(index, dpr));
}

QIcon TImageList::Icon(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    const Entry& e = m_entries[index];
    return QIcon(new TImageListIconEngine(e.artwork, e.image));
}

void TImageList::Draw(QPainter& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    const qreal dpr = canvas.device() ? canvas.device()->devicePixelRatioF() : 1.0;
    const QImage img = enabled ? Image(index, dpr) : DisabledImage(index, dpr);
    canvas.drawImage(QRect(x, y, m_width, m_height), img);
}
