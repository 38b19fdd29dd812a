#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPixmap>

#include <optional>

class QPainter;

// A list of equally sized pictures, addressed by index, as the windows'
// image lists are. A picture is either artwork (an SVG rendered at the
// device pixel ratio it is drawn at) or a fixed image; a fixed image
// larger than the list's size (twice it, say) is reduced to the size at
// the ratio it is drawn at, so it stays crisp where the ratio is 2.
// Replacing a picture notifies everything that shows it.
class TImageList : public QObject {
    Q_OBJECT
public:
    TImageList(int width, int height, QObject* parent = nullptr);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    QSize Size() const { return {m_width, m_height}; }
    int Count() const { return int(m_entries.size()); }

    // Appends artwork by its name (see Artwork::Path); returns its index.
    int AddArtwork(const QString& name);
    // Appends a fixed picture; returns its index.
    int AddImage(const QImage& image);
    // Replaces a picture; pixels of the transparent colour, when given,
    // become transparent. Emits Changed(index).
    void ReplaceImage(int index, const QImage& image,
                      std::optional<QColor> transparent = std::nullopt);

    // The picture at its size, rendered for the device pixel ratio; a null
    // image for an index out of range.
    QImage Image(int index, qreal dpr = 1.0) const;
    QPixmap Pixmap(int index, qreal dpr = 1.0) const;
    // Greyed version, as disabled controls show it.
    QImage DisabledImage(int index, qreal dpr = 1.0) const;
    // An icon with the normal and the disabled picture, drawn at the size
    // it is shown at.
    QIcon Icon(int index) const;

    // Draws the picture with its transparency at (x, y); an index out of
    // range draws nothing.
    void Draw(QPainter& canvas, int x, int y, int index, bool enabled = true) const;

signals:
    void Changed(int index);

private:
    struct Entry {
        QString artwork;
        QImage image;
    };
    int m_width;
    int m_height;
    QList<Entry> m_entries;
};
