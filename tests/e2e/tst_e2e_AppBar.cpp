// The real program on the virtual display, driven with xdotool.

#include "X11Driver.h"

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

        const QString root = Xdo({QStringLiteral("getdisplaygeometry")});
        const int screenWidth = root.section(QLatin1Char(' '), 0, 0).toInt();
        QVERIFY(screenWidth > 0);

        auto geometry = WindowGeometry(bar);
        QVERIFY(geometry);
        QCOMPARE(geometry->size(), QSize(500, 25));
        QCOMPARE(geometry->x(), (screenWidth - 500) / 2);
        const int barX = geometry->x();

        // Pointer elsewhere: rolls up to -23.
        MouseMove(barX + 250, 500);
        QTRY_COMPARE_WITH_TIMEOUT(WindowGeometry(bar)->y(), -23, 5000);

        // The corner beside the slanted side does not bring it down.
        MouseMove(barX + 1, 0);
        QTest::qWait(200);
        QCOMPARE(WindowGeometry(bar)->y(), -23);

        // Pointer on the strip that remains: rolls down to 0 and stays.
        MouseMove(barX + 250, 0);
        QTRY_COMPARE_WITH_TIMEOUT(WindowGeometry(bar)->y(), 0, 5000);
        MouseMove(barX + 250, 12);
        QTest::qWait(200);
        QCOMPARE(WindowGeometry(bar)->y(), 0);

        // Left button: Full Mode window.
        MouseMove(barX + 11, 10);
        Click(1);
        QVERIFY(!WaitForWindow(QStringLiteral("^Zentro$")).isEmpty());

        // Right button: Messenger window; the Full Mode window goes away.
        MouseMove(barX + 488, 0);
        QTRY_COMPARE_WITH_TIMEOUT(WindowGeometry(bar)->y(), 0, 5000);
        MouseMove(barX + 488, 10);
        Click(1);
        QVERIFY(!WaitForWindow(QStringLiteral("^Zentro Messenger$")).isEmpty());
        QVERIFY(WaitForNoWindow(QStringLiteral("^Zentro$")));

        // Menu "Exit" (the last item) ends the program with status 0.
        MouseMove(barX + 250, 0);
        QTRY_COMPARE_WITH_TIMEOUT(WindowGeometry(bar)->y(), 0, 5000);
        MouseMove(barX + 250, 12);
        Click(3);
        QTest::qWait(300);
        Keys({QStringLiteral("Up"), QStringLiteral("Return")});
        QVERIFY(zentro.WaitForExit());
        QCOMPARE(zentro.Process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(zentro.Process().exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_e2e_AppBar)
#include "tst_e2e_AppBar.moc"
