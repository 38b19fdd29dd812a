// The real program on the virtual display, driven with xdotool. The same
// test runs on every desktop of tests/e2e/desktop: the bar sits at the top
// centre of the primary monitor, its sizes are logical pixels times the
// scale, and the roll is relative to that monitor's top; at rest the
// program sleeps.

#include "E2ESteps.h"

#include <QTest>

using namespace x11;

class tst_e2e_AppBar : public QObject {
    Q_OBJECT
private slots:
    void geometryRollModesAndExit()
    {
        Program zentro;
        QVERIFY(zentro.Start());
        const QString bar = WaitForWindow(QStringLiteral("^Zentro AppBar$"));
        QVERIFY2(!bar.isEmpty(), "the app-bar did not appear");

        const int s = ScaleFactor();
        const QRect screen = PrimaryScreen();
        QVERIFY(screen.width() > 0);
        // Device pixels of a point given in the bar's logical pixels.
        const int barX = screen.x() + s * ((screen.width() / s - 500) / 2);
        const auto at = [&](int x, int y) {
            MouseMove(barX + s * x, screen.y() + s * y);
        };
        const auto top = [&] {
            return (WindowGeometry(bar)->y() - screen.y()) / s;
        };

        auto geometry = WindowGeometry(bar);
        QVERIFY(geometry);
        QCOMPARE(geometry->size(), QSize(500 * s, 25 * s));
        QCOMPARE(geometry->x(), barX);

        // Pointer elsewhere: rolls up to -23.
        const bool pointer = SyntheticInput();
        if (pointer)
            at(250, 500);
        QTRY_COMPARE_WITH_TIMEOUT(top(), -23, 5000);
        QCOMPARE((WindowGeometry(bar)->y() - screen.y()) % s, 0);
        // At rest: the program sleeps, and still does a while later.
        QVERIFY(QTest::qWaitFor([&] { return zentro.QuietFor(1000); }, 10000));
        QVERIFY(zentro.QuietFor(3000));
        QCOMPARE(top(), -23);
        // Nothing of it on a monitor above: its shape starts on its own.
        QCOMPARE(ShapeTop(bar), screen.y() > 0 ? 23 * s : 0);
        if (!pointer)
            QSKIP("no synthetic input on this display; placement and roll-up checked");

        // The corner beside the slanted side does not bring it down.
        at(1, 0);
        QVERIFY(QTest::qWaitFor([&] { return zentro.QuietFor(500); }, 10000));
        QCOMPARE(top(), -23);

        // Pointer on the strip that remains: rolls down to 0 and stays.
        at(250, 0);
        QTRY_COMPARE_WITH_TIMEOUT(top(), 0, 5000);
        at(250, 12);
        QVERIFY(QTest::qWaitFor([&] { return zentro.QuietFor(1000); }, 10000));
        QCOMPARE(top(), 0);
        // Off it onto the bare desktop: rolls up.
        at(250, 300);
        QTRY_COMPARE_WITH_TIMEOUT(top(), -23, 5000);
        at(250, 0);
        QTRY_COMPARE_WITH_TIMEOUT(top(), 0, 5000);

        // Left button: Full Mode window.
        at(11, 10);
        Click(1);
        QVERIFY(!WaitForWindow(QStringLiteral("^Zentro$")).isEmpty());
        // Onto that window, an X window also under sway: rolls up. Its
        // preview starts the HTML engine meanwhile, which on a loaded
        // machine holds the program for seconds.
        at(250, 500);
        QTRY_COMPARE_WITH_TIMEOUT(top(), -23, 15000);
        at(250, 0);
        QTRY_COMPARE_WITH_TIMEOUT(top(), 0, 15000);

        // Right button: Messenger window; the Full Mode window goes away.
        at(488, 0);
        QTRY_COMPARE_WITH_TIMEOUT(top(), 0, 5000);
        at(488, 10);
        Click(1);
        QVERIFY(!WaitForWindow(QStringLiteral("^Zentro Messenger$")).isEmpty());
        QVERIFY(WaitForNoWindow(QStringLiteral("^Zentro$")));

        if (!SyntheticKeys())
            QSKIP("no keyboard on this display; the menu is left untried");
        // Menu "Exit" (the last item) ends the program with status 0.
        at(250, 0);
        QTRY_COMPARE_WITH_TIMEOUT(top(), 0, 5000);
        at(250, 12);
        QVERIFY(!OpenMenu([] { Click(3); }).isEmpty());
        Keys({QStringLiteral("Up"), QStringLiteral("Return")});
        QVERIFY(zentro.WaitForExit());
        QCOMPARE(zentro.Process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(zentro.Process().exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_e2e_AppBar)
#include "tst_e2e_AppBar.moc"
