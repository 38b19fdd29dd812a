// The 42 emoticon files that come with the program: animated, looping
// GIF89a pictures of the listed sizes, each with its palette picture, and
// each served by the "res" scheme under its number.

#include "htmlview/ResAddress.h"

#include <QFile>
#include <QImageReader>
#include <QTest>

namespace {

QSize ExpectedSize(int n)
{
    static const QHash<int, QSize> others{
        {7, {41, 32}},  {9, {48, 32}},   {18, {48, 32}},  {20, {48, 32}}, {19, {49, 32}},
        {21, {37, 32}}, {22, {126, 32}}, {23, {99, 32}},  {24, {91, 32}}, {25, {97, 32}},
        {26, {94, 32}}, {27, {105, 32}}, {28, {107, 32}}, {29, {16, 19}}, {30, {16, 19}},
        {31, {16, 19}}, {34, {16, 19}},  {32, {15, 15}},  {33, {41, 16}}, {35, {24, 18}},
        {39, {32, 33}}, {41, {40, 32}},  {42, {40, 32}}};
    return others.value(n, QSize(32, 32));
}

int OpaquePixels(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            count += qAlpha(argb.pixel(x, y)) == 255;
    return count;
}

} // namespace

class tst_EmoticonFiles : public QObject {
    Q_OBJECT
private slots:
    void emoticon_data()
    {
        QTest::addColumn<int>("n");
        for (int n = 1; n <= ResAddress::EmoticonCount; ++n)
            QTest::addRow("%d", n) << n;
    }

    void emoticon()
    {
        QFETCH(int, n);
        const QString path = QStringLiteral(":/emoticons/%1.gif").arg(n);
        QCOMPARE(ResAddress::ResourceFor(ResAddress::EmoticonUrl(n)), path);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("GIF89a"));
        // The looping extension, for ever (loop count 0).
        const qsizetype loop = bytes.indexOf("\x21\xFF\x0BNETSCAPE2.0\x03\x01");
        QVERIFY(loop > 0);
        QCOMPARE(bytes.mid(loop + 16, 2), QByteArray("\0\0", 2));

        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("gif"));
        QCOMPARE(reader.size(), ExpectedSize(n));
        QCOMPARE(reader.loopCount(), -1);
        QVERIFY(reader.imageCount() > 1);
        // Every frame decodes, shows something, and they are not all alike.
        QList<QImage> frames;
        for (int i = 0; i < reader.imageCount(); ++i) {
            const QImage frame = reader.read();
            QVERIFY2(!frame.isNull(), qPrintable(reader.errorString()));
            QCOMPARE(frame.size(), ExpectedSize(n));
            QVERIFY(OpaquePixels(frame) > frame.width() * frame.height() / 8);
            QVERIFY(reader.nextImageDelay() >= 0);
            frames << frame.convertToFormat(QImage::Format_ARGB32);
        }
        QVERIFY(std::any_of(frames.cbegin() + 1, frames.cend(),
                            [&](const QImage& f) { return f != frames.first(); }));

        const QImage palette(QStringLiteral(":/emoticons/palette/%1.png").arg(n));
        // Drawn at twice its 21 x 21, for screens of scale 2.
        QCOMPARE(palette.size(), QSize(42, 42));
        QVERIFY(OpaquePixels(palette) > 80);
        QVERIFY(qAlpha(palette.pixel(0, 0)) == 0 || qAlpha(palette.pixel(41, 41)) == 0);
    }
};

QTEST_GUILESS_MAIN(tst_EmoticonFiles)
#include "tst_EmoticonFiles.moc"
