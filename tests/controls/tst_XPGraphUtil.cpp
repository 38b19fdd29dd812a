#include "controls/XPGraphUtil.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

const QRgb Paper = qRgb(1, 2, 3);
const TColor Light = TColor::Rgb(253, 253, 253);
const TColor Dark = TColor::Rgb(205, 204, 223);

QImage Fill(QSize size, const QRect& rect, TColor from, TColor to, quint8 direction, quint8 bands)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Paper);
    QPainter p(&img);
    GradientFillRect(p, rect, from, to, direction, bands);
    return img;
}

QRgb Rgb(TColor c)
{
    return qRgb(c.Red(), c.Green(), c.Blue());
}

// Every pixel of a row (or column) has the same colour; returns it.
QRgb UniformRow(const QImage& img, int y, int x0, int x1)
{
    const QRgb c = img.pixel(x0, y);
    for (int x = x0; x < x1; ++x)
        if (img.pixel(x, y) != c)
            return 0;
    return c;
}

} // namespace

class tst_XPGraphUtil : public QObject {
    Q_OBJECT
private slots:
    void integerHelpers()
    {
        QCOMPARE(Max(-3, 2), 2);
        QCOMPARE(Min(-3, 2), -3);
        const QRect r = RectLTRB(4, 4, 71, 21);
        QCOMPARE(RectWidth(r), 67);
        QCOMPARE(RectHeight(r), 17);
        QCOMPARE(RectWidth(RectLTRB(10, 0, 4, 5)), -6);
    }

    void mulDivRoundsHalvesAwayFromZero()
    {
        QCOMPARE(MulDiv(1, 1, 2), 1);
        QCOMPARE(MulDiv(-1, 1, 2), -1);
        QCOMPARE(MulDiv(1, -1, -2), 1);
        QCOMPARE(MulDiv(3, -48, 7), -21); // -20.57
        QCOMPARE(MulDiv(1, -30, 7), -4);  // -4.29
        QCOMPARE(MulDiv(5, 5, 10), 3);    // 2.5
        QCOMPARE(MulDiv(-5, 5, 10), -3);
        // The product needs 64 bits; the result fits.
        QCOMPARE(MulDiv(1 << 20, 1 << 20, 1 << 20), 1 << 20);
        QCOMPARE(MulDiv(1, 1, 0), -1);
        QCOMPARE(MulDiv(1 << 30, 8, 1), -1);
    }

    // The button face of a 75 x 25 button, normal look.
    void workedExample()
    {
        const QImage img = Fill({75, 25}, RectLTRB(4, 4, 71, 21), Light, Dark, 0, 8);
        const QList<QRgb> bands = {qRgb(253, 253, 253), qRgb(246, 246, 249), qRgb(239, 239, 244),
                                   qRgb(232, 232, 240), qRgb(226, 225, 236), qRgb(219, 218, 232),
                                   qRgb(212, 211, 227), qRgb(205, 204, 223)};
        for (int y = 4; y <= 19; ++y)
            QCOMPARE(UniformRow(img, y, 4, 71), bands[(y - 4) / 2]);
        QCOMPARE(UniformRow(img, 20, 4, 71), bands[7]); // the remainder row
        // Nothing outside the rectangle.
        QCOMPARE(UniformRow(img, 3, 0, 75), Paper);
        QCOMPARE(UniformRow(img, 21, 0, 75), Paper);
        QCOMPARE(img.pixel(3, 10), Paper);
        QCOMPARE(img.pixel(71, 10), Paper);
    }

    void reversedDirectionsMirror()
    {
        // 17 rows in 8 bands of 2 and a remainder row at the bottom.
        const QRect r = RectLTRB(0, 0, 6, 17);
        const QImage down = Fill({6, 17}, r, Light, Dark, 0, 8);
        const QImage up = Fill({6, 17}, r, Light, Dark, 1, 8);
        for (int band = 0; band < 8; ++band)
            for (int row = 0; row < 2; ++row)
                QCOMPARE(up.pixel(3, band * 2 + row), down.pixel(3, (7 - band) * 2 + row));
        QCOMPARE(up.pixel(0, 0), Rgb(Dark));
        QCOMPARE(up.pixel(0, 16), Rgb(Light)); // the remainder in the last colour: start
        QCOMPARE(down.pixel(0, 16), Rgb(Dark));

        // Left to right is the same picture turned on its side.
        const QRect t = RectLTRB(0, 0, 17, 6);
        const QImage right = Fill({17, 6}, t, Light, Dark, 2, 8);
        const QImage left = Fill({17, 6}, t, Light, Dark, 3, 8);
        for (int x = 0; x < 17; ++x)
            for (int y = 0; y < 6; ++y) {
                QCOMPARE(right.pixel(x, y), down.pixel(y, x));
                QCOMPARE(left.pixel(x, y), up.pixel(y, x));
            }
    }

    void emptyRectangleDrawsNothing_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<int>("bands");
        QTest::newRow("zero width") << RectLTRB(3, 3, 3, 9) << 8;
        QTest::newRow("zero height") << RectLTRB(3, 3, 9, 3) << 8;
        QTest::newRow("negative width") << RectLTRB(9, 3, 3, 9) << 8;
        QTest::newRow("negative height, solid") << RectLTRB(3, 9, 9, 3) << 1;
        QTest::newRow("zero width, solid") << RectLTRB(3, 3, 3, 9) << 0;
    }
    void emptyRectangleDrawsNothing()
    {
        QFETCH(QRect, rect);
        QFETCH(int, bands);
        const QImage img = Fill({12, 12}, rect, Light, Dark, 0, quint8(bands));
        for (int y = 0; y < 12; ++y)
            QCOMPARE(UniformRow(img, y, 0, 12), Paper);
    }

    void fewerThanTwoBandsIsSolidStart()
    {
        for (quint8 direction : {0, 1, 2, 3})
            for (quint8 bands : {0, 1}) {
                const QImage img =
                    Fill({10, 10}, RectLTRB(1, 1, 9, 9), Light, Dark, direction, bands);
                for (int y = 1; y < 9; ++y)
                    QCOMPARE(UniformRow(img, y, 1, 9), Rgb(Light));
                QCOMPARE(img.pixel(0, 0), Paper);
                QCOMPARE(img.pixel(9, 9), Paper);
            }
    }

    void onePixelExtentGetsTheLastColour()
    {
        QImage img = Fill({10, 3}, RectLTRB(0, 1, 10, 2), Light, Dark, 0, 8);
        QCOMPARE(UniformRow(img, 1, 0, 10), Rgb(Dark));
        QCOMPARE(UniformRow(img, 0, 0, 10), Paper);
        img = Fill({10, 3}, RectLTRB(0, 1, 10, 2), Light, Dark, 1, 8);
        QCOMPARE(UniformRow(img, 1, 0, 10), Rgb(Light));
        img = Fill({3, 10}, RectLTRB(1, 0, 2, 10), Light, Dark, 2, 8);
        for (int y = 0; y < 10; ++y) {
            QCOMPARE(img.pixel(1, y), Rgb(Dark));
            QCOMPARE(img.pixel(0, y), Paper);
        }
    }

    void bandCountAboveExtentGivesOnePixelBands()
    {
        const TColor black = TColor::Rgb(0, 0, 0), white = TColor::Rgb(250, 250, 250);
        const QImage img = Fill({4, 10}, RectLTRB(0, 0, 4, 10), black, white, 0, 200);
        // Ten bands, each one row, stepping evenly by 250 / 9, no remainder.
        for (int y = 0; y < 10; ++y) {
            const int expected = qRound(250.0 * y / 9);
            QCOMPARE(UniformRow(img, y, 0, 4), qRgb(expected, expected, expected));
        }
    }

    void equalColoursFillEverything()
    {
        const TColor c = TColor::Rgb(10, 200, 30);
        const QImage img = Fill({7, 23}, RectLTRB(0, 0, 7, 23), c, c, 0, 5);
        for (int y = 0; y < 23; ++y)
            QCOMPARE(UniformRow(img, y, 0, 7), Rgb(c));
    }

    void systemColoursAreResolved()
    {
        QPalette pal;
        pal.setColor(QPalette::Active, QPalette::Highlight, QColor(10, 20, 30));
        QGuiApplication::setPalette(pal);
        const QImage img = Fill({4, 4}, RectLTRB(0, 0, 4, 4), clr::Highlight, clr::Highlight, 0, 1);
        QCOMPARE(img.pixel(2, 2), qRgb(10, 20, 30));
    }
};

QTEST_MAIN(tst_XPGraphUtil)
#include "tst_XPGraphUtil.moc"
