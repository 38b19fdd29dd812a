// The emoticon generator's GIF writer: what it writes, Qt's reader reads
// back pixel for pixel, with transparency, delays and endless looping,
// also when the compression table fills up and starts again.

#include "GifWriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTest>

namespace {

// A picture of noise in a given number of colours, some pixels
// transparent.
QImage Noise(QSize size, int colours, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const int c = int(random.bounded(colours + 1));
            image.setPixel(x, y, c == colours ? 0u : qRgb(c * 37 % 256, c * 101 % 256, c));
        }
    return image;
}

QList<QImage> Decode(const QByteArray& gif, QList<int>* delays = nullptr, int* loops = nullptr)
{
    QBuffer buffer;
    buffer.setData(gif);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    if (loops)
        *loops = reader.loopCount();
    QList<QImage> frames;
    for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read()) {
        frames << frame.convertToFormat(QImage::Format_ARGB32);
        if (delays)
            *delays << reader.nextImageDelay();
    }
    return frames;
}

} // namespace

class tst_GifWriter : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("colours");
        QTest::addRow("one colour") << QSize(7, 5) << 1;
        QTest::addRow("few colours, small") << QSize(32, 32) << 3;
        // Enough different runs to fill the 4096-entry table several times.
        QTest::addRow("many colours, large") << QSize(211, 97) << 200;
        QTest::addRow("every colour") << QSize(126, 32) << 255;
    }

    void roundTrip()
    {
        QFETCH(QSize, size);
        QFETCH(int, colours);
        TGifWriter writer;
        const QList<QImage> frames{Noise(size, colours, 1), Noise(size, colours, 2),
                                   Noise(size, colours, 3)};
        for (int i = 0; i < frames.size(); ++i)
            writer.AddFrame(frames[i], 10 * (i + 1));
        const QByteArray gif = writer.Encode();
        QVERIFY(gif.startsWith("GIF89a"));
        QVERIFY(gif.endsWith(';'));

        QList<int> delays;
        int loops = 0;
        const QList<QImage> back = Decode(gif, &delays, &loops);
        QCOMPARE(back.size(), frames.size());
        QCOMPARE(loops, -1);
        QCOMPARE(delays, (QList<int>{100, 200, 300}));
        for (int i = 0; i < frames.size(); ++i) {
            QCOMPARE(back[i].size(), size);
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x) {
                    const QRgb want = frames[i].pixel(x, y);
                    const QRgb got = back[i].pixel(x, y);
                    if (qAlpha(want) == 0)
                        QCOMPARE(qAlpha(got), 0);
                    else
                        QCOMPARE(got, want);
                }
        }
    }

    void halfTransparentPixelsMeetTheBackground()
    {
        QImage image(2, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, qRgba(0, 0, 0, 200)); // mostly opaque black
        image.setPixel(1, 0, qRgba(0, 0, 0, 60));  // mostly transparent
        TGifWriter writer(qRgb(255, 255, 255));
        writer.AddFrame(image, 5);
        writer.AddFrame(image, 5);
        const QList<QImage> back = Decode(writer.Encode());
        QCOMPARE(back.size(), 2);
        const QRgb blended = back[0].pixel(0, 0);
        QCOMPARE(qAlpha(blended), 255);
        QVERIFY(qAbs(qRed(blended) - 55) <= 1 && qRed(blended) == qBlue(blended));
        QCOMPARE(qAlpha(back[0].pixel(1, 0)), 0);
    }
};

QTEST_GUILESS_MAIN(tst_GifWriter)
#include "tst_GifWriter.moc"
