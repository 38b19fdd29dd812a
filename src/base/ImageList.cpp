#include "base/ImageList.h"

#include "base/Artwork.h"

#include <QPaintDevice>
#include <QPainter>

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
    return e.image;
}

QPixmap TImageList::Pixmap(int index, qreal dpr) const
{
    return QPixmap::fromImage(Image(index, dpr));
}

QImage TImageList::DisabledImage(int index, qreal dpr) const
{
    QImage img = Image(index, dpr).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int g = 96 + qGray(line[x]) * 5 / 8;
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QIcon TImageList::Icon(int index) const
{
    QIcon icon;
    for (const qreal dpr : {1.0, 2.0}) {
        QPixmap normal = QPixmap::fromImage(Image(index, dpr));
        QPixmap disabled = QPixmap::fromImage(DisabledImage(index, dpr));
        icon.addPixmap(normal, QIcon::Normal);
        icon.addPixmap(disabled, QIcon::Disabled);
    }
    return icon;
}

void TImageList::Draw(QPainter& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    const qreal dpr = canvas.device() ? canvas.device()->devicePixelRatioF() : 1.0;
    const QImage img = enabled ? Image(index, dpr) : DisabledImage(index, dpr);
    canvas.drawImage(QRect(x, y, m_width, m_height), img);
}
