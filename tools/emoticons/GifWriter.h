#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

// Writes an animated GIF89a that loops for ever (NETSCAPE2.0 extension);
// giflib does the file format and the compression. All frames share one
// colour table of at most 255 colours, chosen by median cut over every
// frame; index 0 is transparent. Pixels less than half opaque become
// transparent, the rest are blended onto a background colour first, as GIF
// has no partial transparency.
class TGifWriter {
public:
    explicit TGifWriter(QRgb background = qRgb(255, 255, 255)) : m_background(background) {}

    // Frames must all have the size of the first; delay in hundredths of a
    // second.
    void AddFrame(const QImage& frame, int delayCs);
    QByteArray Encode() const;

private:
    struct Frame {
        QImage image;
        int delay;
    };
    QRgb Flatten(QRgb premultiplied) const;

    QRgb m_background;
    QList<Frame> m_frames;
};
