#include "popup/ZmCaption.h"
#include "popup/internal/ZmLayout.h"

#include <QTest>

using namespace ZmLayout;

class tst_ZmLayout : public QObject {
    Q_OBJECT
private slots:
    void measuresItems()
    {
        const TextMetrics text{13, 0};
        // Text only: 13 + 4 high, the column as wide as the item is high,
        // 6 for the gap and the item height again for the arrow.
        ItemSize s = MeasureItem(text, 50, QSize(), -1, false);
        QCOMPARE(s.Height, 17);
        QCOMPARE(s.ColumnWidth, 17);
        QCOMPARE(s.Width, 50 + 17 + 6 + 17);
        // The external leading adds to the height.
        QCOMPARE(MeasureItem({13, 2}, 50, QSize(), -1, false).Height, 19);
        // Images taller than the text set the height; the column keeps
        // the image's proportions.
        s = MeasureItem(text, 50, QSize(16, 16), -1, false);
        QCOMPARE(s.Height, 19);
        QCOMPARE(s.ColumnWidth, 19);
        QCOMPARE(s.Width, 50 + 19 + 6 + 19);
        s = MeasureItem({23, 0}, 10, QSize(24, 16), -1, false);
        QCOMPARE(s.Height, 27);
        QCOMPARE(s.ColumnWidth, 38); // 27 * 27 / 19 = 38.4
        // A shortcut adds its width and the height less 6.
        s = MeasureItem(text, 50, QSize(), 30, false);
        QCOMPARE(s.Width, 50 + 17 + 6 + 30 + 11 + 17);
        // A picture-palette cell is just its column.
        s = MeasureItem(text, 0, QSize(21, 21), -1, true);
        QCOMPARE(s.Width, 24);
        QCOMPARE(s.Height, 24);
        // Without a picture, image-only means nothing.
        QCOMPARE(MeasureItem(text, 0, QSize(), -1, true).Width, 17 + 6 + 17);

        QCOMPARE(MulDiv(5, 1, 2), 3);
        QCOMPARE(MulDiv(-5, 1, 2), -3);
        QCOMPARE(MulDiv(7, 3, 4), 5);
        QCOMPARE(SeparatorHeight(13), 9);
        QCOMPARE(SeparatorHeight(12), 8);
    }

    void hidesSeparators()
    {
        const QList<bool> none;
        // First, last and doubled separators go.
        QCOMPARE(ShownItems({true, false, true, true, false, true}, none),
                 (QList<bool>{false, true, true, false, true, false}));
        QCOMPARE(ShownItems({true, true}, none), (QList<bool>{false, false}));
        // Within each column: the separator ending the first column and the
        // one opening the second are hidden.
        const QList<bool> breakAt2{false, false, true, false};
        QCOMPARE(ShownItems({false, true, true, false}, breakAt2),
                 (QList<bool>{true, false, false, true}));
        // A hidden separator hands its column break on to the next shown item.
        const QList<bool> shown{true, false, true};
        QCOMPARE(ShownColumnStarts(shown, {false, true, false}), (QList<bool>{false, true}));
        // A break on the very first shown item starts nothing.
        QCOMPARE(ShownColumnStarts({false, true}, {true, false}), (QList<bool>{false}));
    }

    void stacksColumns()
    {
        Stack s = StackItems({QSize(40, 10), QSize(60, 12), QSize(50, 10)}, {});
        QCOMPARE(s.Size, QSize(60, 32));
        QCOMPARE(s.Rects,
                 (QList<QRect>{QRect(0, 0, 60, 10), QRect(0, 10, 60, 12), QRect(0, 22, 60, 10)}));
        QVERIFY(s.BarsX.isEmpty());

        // Two columns of their own widths, a gap with a bar between them.
        s = StackItems({QSize(40, 10), QSize(30, 10), QSize(20, 10)}, {false, false, true});
        QCOMPARE(s.Rects[2], QRect(40 + ColumnGap, 0, 20, 10));
        QCOMPARE(s.Columns, (QList<int>{0, 0, 1}));
        QCOMPARE(s.BarsX, (QList<int>{40 + ColumnGap / 2 - 1}));
        QCOMPARE(s.Size, QSize(40 + ColumnGap + 20, 20));

        // The emoticon palette: 42 cells in columns of 10.
        QList<QSize> cells(42, QSize(24, 24));
        QList<bool> breaks(42, false);
        for (int i = 10; i < 42; i += 10)
            breaks[i] = true;
        s = StackItems(cells, breaks);
        QCOMPARE(s.BarsX.size(), 4);
        QCOMPARE(s.Size, QSize(5 * 24 + 4 * ColumnGap, 240));
        QCOMPARE(s.Rects[41], QRect(4 * (24 + ColumnGap), 24, 24, 24));

        // Padding above and below for the scroll zones.
        s = StackItems({QSize(10, 10)}, {}, ScrollZone);
        QCOMPARE(s.Rects[0].top(), ScrollZone);
        QCOMPARE(s.Size.height(), 10 + 2 * ScrollZone);
    }

    void placesFirstLevel_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("workArea");
        QTest::addColumn<QPoint>("expected");
        const QRect wa(0, 0, 800, 600);
        QTest::newRow("room below right")
            << QPoint(100, 100) << int(paLeft) << QSize(200, 300) << wa << QPoint(100, 100);
        QTest::newRow("bottom-right corner opens up and left")
            << QPoint(790, 590) << int(paLeft) << QSize(200, 300) << wa << QPoint(590, 290);
        QTest::newRow("too high below, fits above")
            << QPoint(100, 400) << int(paLeft) << QSize(200, 300) << wa << QPoint(100, 100);
        QTest::newRow("fits neither way: clamped")
            << QPoint(100, 300) << int(paLeft) << QSize(200, 500) << wa << QPoint(100, 100);
        QTest::newRow("taller than the work area: at its top")
            << QPoint(100, 300) << int(paLeft) << QSize(200, 700) << wa << QPoint(100, 0);
        QTest::newRow("right-aligned")
            << QPoint(500, 100) << int(paRight) << QSize(200, 300) << wa << QPoint(300, 100);
        QTest::newRow("right-aligned near the left edge flips right")
            << QPoint(100, 100) << int(paRight) << QSize(200, 300) << wa << QPoint(100, 100);
        QTest::newRow("centred") << QPoint(400, 100) << int(paCenter) << QSize(200, 300) << wa
                                 << QPoint(300, 100);
        // Clamped onto the point, it moves off it: beside the point.
        QTest::newRow("clamped over the point moves aside")
            << QPoint(700, 300) << int(paCenter) << QSize(200, 500) << wa << QPoint(500, 100);
        QTest::newRow("work area not at the origin")
            << QPoint(1900, 1050) << int(paLeft) << QSize(200, 300) << QRect(1280, 24, 640, 1000)
            << QPoint(1700, 724);
        // Monitors left of and above the primary one: negative offsets.
        const QRect leftOf(-1280, 0, 1280, 1024), above(0, -1024, 1280, 1024);
        QTest::newRow("monitor on the left, at its right edge")
            << QPoint(-20, 100) << int(paLeft) << QSize(200, 300) << leftOf << QPoint(-220, 100);
        QTest::newRow("monitor on the left, right-aligned at its left edge")
            << QPoint(-1270, 100) << int(paRight) << QSize(200, 300) << leftOf
            << QPoint(-1270, 100);
        QTest::newRow("monitor above, at its bottom")
            << QPoint(100, -10) << int(paLeft) << QSize(200, 300) << above << QPoint(100, -310);
    }

    void placesFirstLevel()
    {
        QFETCH(QPoint, point);
        QFETCH(int, alignment);
        QFETCH(QSize, size);
        QFETCH(QRect, workArea);
        QFETCH(QPoint, expected);
        const QPoint pos = PlaceFirstLevel(point, TZmPopupAlignment(alignment), size, workArea);
        QCOMPARE(pos, expected);
        // Never strictly over the point when there is any other way.
        const QRect r(pos, size);
        QVERIFY(!(r.x() < point.x() && point.x() < r.x() + r.width() && r.y() < point.y() &&
                  point.y() < r.y() + r.height()) ||
                size.height() > workArea.height());
    }

    void placesSubmenus()
    {
        const QRect wa(0, 0, 800, 600);
        const QSize size(120, 200);
        // On the right, overlapping the parent by the frame width.
        SubmenuPlacement p = PlaceSubmenu(QRect(100, 50, 150, 20), size, wa, false);
        QCOMPARE(p.Pos, QPoint(247, 47));
        QVERIFY(!p.OpenedLeft);
        // No room on the right: on the left, marked so.
        p = PlaceSubmenu(QRect(600, 50, 150, 20), size, wa, false);
        QCOMPARE(p.Pos, QPoint(483, 47));
        QVERIFY(p.OpenedLeft);
        // Its own submenus prefer the left even where the right has room.
        p = PlaceSubmenu(QRect(300, 50, 150, 20), size, wa, true);
        QCOMPARE(p.Pos, QPoint(183, 47));
        QVERIFY(p.OpenedLeft);
        // ... unless the left crosses the work area: back to the right.
        p = PlaceSubmenu(QRect(50, 50, 150, 20), size, wa, true);
        QCOMPARE(p.Pos, QPoint(197, 47));
        QVERIFY(!p.OpenedLeft);
        // Room on neither side: the side with more, pushed back into the
        // work area; on a tie the side the level prefers.
        const struct {
            QRect parent;
            bool parentLeft;
            int x;
            bool openedLeft;
        } neither[] = {{{20, 50, 760, 20}, false, 0, true},
                       {{20, 50, 700, 20}, false, 680, false},
                       {{20, 50, 700, 20}, true, 680, false},
                       {{100, 50, 690, 20}, false, 0, true}};
        for (const auto& n : neither) {
            p = PlaceSubmenu(n.parent, size, wa, n.parentLeft);
            QCOMPARE(p.Pos, QPoint(n.x, 47));
            QCOMPARE(p.OpenedLeft, n.openedLeft);
        }
        // Near the bottom it moves up to fit.
        p = PlaceSubmenu(QRect(100, 550, 150, 20), size, wa, false);
        QCOMPARE(p.Pos, QPoint(247, 400));
        // On a monitor left of the primary one, at its right edge: on the
        // left; on one above it, at its bottom: moved up into it.
        p = PlaceSubmenu(QRect(-200, 50, 150, 20), size, QRect(-1280, 0, 1280, 1024), false);
        QCOMPARE(p.Pos, QPoint(-317, 47));
        QVERIFY(p.OpenedLeft);
        p = PlaceSubmenu(QRect(100, -40, 150, 20), size, QRect(0, -1024, 1280, 1024), false);
        QCOMPARE(p.Pos, QPoint(247, -200));
    }

    void scrollsOneItemPerStep()
    {
        // 40 items of 20 pixels below the upper zone; a view 200 high.
        QList<int> tops, bottoms;
        for (int i = 0; i < 40; ++i) {
            tops << ScrollZone + 20 * i;
            bottoms << ScrollZone + 20 * (i + 1);
        }
        const int view = 200;
        // The first step reveals the item cut by the lower zone's edge.
        int offset = ScrollDown(bottoms, 0, view);
        QCOMPARE(offset, 18);
        QCOMPARE(ScrollDown(bottoms, offset, view), 38);
        // Up: the item cut by the upper zone's edge, then the first item.
        QCOMPARE(ScrollUp(tops, 38), 20);
        QCOMPARE(ScrollUp(tops, 20), 0);
        QCOMPARE(ScrollUp(tops, 0), 0);
        // At the end nothing is left to reveal.
        const int last = ScrollZone + 800 + ScrollZone - view;
        QCOMPARE(ScrollDown(bottoms, last, view), last);

        // Into view: at least one zone away from either edge.
        QCOMPARE(ScrollIntoView(tops[10], bottoms[10], 0, view, last), 58);
        QCOMPARE(ScrollIntoView(tops[2], bottoms[2], 58, view, last), 40);
        QCOMPARE(ScrollIntoView(tops[5], bottoms[5], 58, view, last), 58);
        QCOMPARE(ScrollIntoView(tops[39], bottoms[39], 0, view, last), last);
        QCOMPARE(ScrollIntoView(tops[0], bottoms[0], 300, view, last), 0);
    }

    void accelerators()
    {
        QCOMPARE(ZmCaption::Accelerator(QStringLiteral("&File")), QChar(u'f'));
        QCOMPARE(ZmCaption::Accelerator(QStringLiteral("Save && &Exit")), QChar(u'e'));
        QVERIFY(ZmCaption::Accelerator(QStringLiteral("A&&B")).isNull());
        QVERIFY(ZmCaption::Accelerator(QStringLiteral("Trailing&")).isNull());
        QVERIFY(ZmCaption::Accelerator(QString()).isNull());
        QCOMPARE(ZmCaption::StripAccelerator(QStringLiteral("Save && &Exit")),
                 QStringLiteral("Save & Exit"));
        QCOMPARE(ZmCaption::StripAccelerator(QStringLiteral("Trailing&")),
                 QStringLiteral("Trailing"));
    }
};

QTEST_APPLESS_MAIN(tst_ZmLayout)
#include "tst_ZmLayout.moc"
