#include "appbar/AppBarGeometry.h"

#include <QTest>

class tst_AppBarGeometry : public QObject {
    Q_OBJECT
private slots:
    void rollSequences()
    {
        const int up = RollTarget(false, AppBarHeight);
        const int down = RollTarget(true, AppBarHeight);
        QCOMPARE(up, -23);
        QCOMPARE(down, 0);

        QList<int> tops;
        for (int top = 0; top != up;) {
            top = RollStep(top, up);
            tops << top;
        }
        QCOMPARE(tops, (QList<int>{-11, -17, -20, -21, -22, -23}));

        tops.clear();
        for (int top = up; top != down;) {
            top = RollStep(top, down);
            tops << top;
        }
        QCOMPARE(tops, (QList<int>{-12, -6, -3, -2, -1, 0}));

        // At the target nothing moves; a roll reverses from any point.
        QCOMPARE(RollStep(-23, -23), -23);
        QCOMPARE(RollStep(-17, 0), -9);
        QCOMPARE(RollStep(-9, -23), -16);
    }

    void trapezoidVertices()
    {
        const QPolygon p = BarPolygon(500, 25);
        QCOMPARE(p, (QPolygon{QList<QPoint>{{0, 0}, {499, 0}, {474, 24}, {25, 24}}}));
    }

    void hitTest_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("inside");
        QTest::newRow("top-left corner") << QPoint(0, 0) << true;
        QTest::newRow("top row near right") << QPoint(497, 0) << true;
        QTest::newRow("middle") << QPoint(250, 12) << true;
        QTest::newRow("lowest row middle") << QPoint(250, 23) << true;
        // The lower outer corners lie outside the slanted sides.
        QTest::newRow("lower left corner") << QPoint(1, 23) << false;
        QTest::newRow("lower right corner") << QPoint(498, 23) << false;
        QTest::newRow("left of slant") << QPoint(10, 20) << false;
        QTest::newRow("right of slant") << QPoint(490, 20) << false;
        QTest::newRow("inside left slant") << QPoint(24, 20) << true;
        QTest::newRow("inside right slant") << QPoint(476, 20) << true;
        QTest::newRow("below") << QPoint(250, 25) << false;
        QTest::newRow("above") << QPoint(250, -1) << false;
    }

    void hitTest()
    {
        QFETCH(QPoint, point);
        QFETCH(bool, inside);
        const QRegion r = BarRegionOf(500, 25);
        QCOMPARE(PointOnBar(r, QPoint(0, 0), point), inside);
        // The same point relative to a bar moved on the screen.
        const QPoint barPos(390, -23);
        QCOMPARE(PointOnBar(r, barPos, point + barPos), inside);
    }

    void rolledUpBarIsReachableFromTheTopRow()
    {
        const QRegion r = BarRegionOf(500, 25);
        const QPoint barPos(390, -23);
        QVERIFY(PointOnBar(r, barPos, QPoint(640, 0)));
        QVERIFY(!PointOnBar(r, barPos, QPoint(640, 1)));
        // The slanted ends of the remaining row do not count.
        QVERIFY(!PointOnBar(r, barPos, QPoint(391, 0)));
    }

    void centring()
    {
        QCOMPARE(AppBarLeft(1280, 500), 390);
        QCOMPARE(AppBarLeft(1279, 500), 389);
        QCOMPARE(AppBarLeft(400, 500), -50);
        QCOMPARE(AppBarLeft(499, 500), 0); // truncates toward zero
    }

    void frameThickness()
    {
        const QRegion r(QRect(0, 0, 10, 6));
        const QRegion f2 = FrameOfRegion(r, 2, 2);
        QVERIFY(f2.contains(QPoint(0, 0)));
        QVERIFY(f2.contains(QPoint(1, 3)));
        QVERIFY(f2.contains(QPoint(8, 3)));
        QVERIFY(f2.contains(QPoint(5, 5)));
        QVERIFY(!f2.contains(QPoint(2, 2)));
        QVERIFY(!f2.contains(QPoint(7, 3)));
        const QRegion f1 = FrameOfRegion(r, 1, 1);
        QVERIFY(f1.contains(QPoint(0, 3)));
        QVERIFY(!f1.contains(QPoint(1, 3)));
        QVERIFY((f1 - r).isEmpty());
    }
};

QTEST_APPLESS_MAIN(tst_AppBarGeometry)
#include "tst_AppBarGeometry.moc"
