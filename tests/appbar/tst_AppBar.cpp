#include "appbar/AppBarGeometry.h"
#include "appbar/uAppbar.h"

#include "ZentroTest.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

class tst_AppBar : public QObject {
    Q_OBJECT
private slots:
    void windowSettings()
    {
        TfAppBar bar;
        QCOMPARE(bar.size(), QSize(500, 25));
        QCOMPARE(bar.windowTitle(), QStringLiteral("Zentro AppBar"));
        QVERIFY(bar.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(bar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(bar.windowType(), Qt::Tool);
        QVERIFY(bar.isVisible());
        QCOMPARE(bar.mask(), BarRegionOf(500, 25));
        QCOMPARE(bar.BarRegion, BarRegionOf(500, 25));
        QCOMPARE(bar.tRoll->interval(), 10);
        QVERIFY(bar.tRoll->isActive());

        QCOMPARE(bar.sbFull->geometry(), QRect(0, 0, 23, 22));
        QCOMPARE(bar.sbMessenger->geometry(), QRect(477, 0, 23, 22));
        QCOMPARE(bar.sbFull->toolTip(), QStringLiteral("Full Mode"));
        QCOMPARE(bar.sbMessenger->toolTip(), QStringLiteral("Messenger Mode"));
        QCOMPARE(bar.Label1->text(), QStringLiteral("You have 13 new e-mails"));
        QCOMPARE(bar.Label1->pos(), QPoint(28, 4));
        QCOMPARE(bar.Label2->text(), QStringLiteral("Online Contacts: 4 of 8"));
        QCOMPARE(bar.Label2->pos(), QPoint(220, 4));
        QCOMPARE(bar.Label1->font().pixelSize(), 13);
        QVERIFY(bar.Label1->font().bold());
    }

    void hintsShowWhileAnotherWindowIsActive()
    {
        TfAppBar bar;
        // Down, whatever the pointer does meanwhile.
        bar.tRoll->stop();
        bar.move(bar.x(), 0);
        QWidget other;
        other.setGeometry(100, 200, 200, 100);
        other.show();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());
        QTest::mouseMove(bar.sbMessenger, QPoint(8, 8));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Messenger Mode"));
        QVERIFY(!bar.isActiveWindow());
    }

    void menuItems()
    {
        TfAppBar bar;
        const auto captions = [](const QMenu* m) {
            QStringList out;
            for (const QAction* a : m->actions())
                out << (a->isSeparator() ? QStringLiteral("-") : a->text());
            return out;
        };
        QCOMPARE(captions(bar.pmMenu),
                 (QStringList{"Open in Full Mode", "Open in Messenger Mode", "-", "Send e-mail to",
                              "Chat with", "-", "Exit"}));
        QCOMPARE(captions(bar.Sendemailto1),
                 (QStringList{"Contact 1", "Contact 2", "...", "Contact N"}));
        QCOMPARE(captions(bar.Chatwith1),
                 (QStringList{"Online Contact 1", "OnlineContact 2", "...", "Online Contact K", "-",
                              "Offline Contact K+1", "...", "Offline Contact N"}));
    }

    void paintsOutlineAndButtonBoxes()
    {
        TfAppBar bar;
        bar.tRoll->stop();
        const QImage img = bar.grab().toImage();
        // Outer row white (1-pixel frame), then black (2-pixel frame), then the face.
        QCOMPARE(QColor(img.pixel(250, 0)), QColor(Qt::white));
        QCOMPARE(QColor(img.pixel(250, 1)), QColor(Qt::black));
        QCOMPARE(QColor(img.pixel(250, 23)), QColor(Qt::white));
        QCOMPARE(QColor(img.pixel(250, 22)), QColor(Qt::black));
        QCOMPARE(QColor(img.pixel(215, 20)), bar.palette().color(QPalette::Window));
        // Grey box under the left button, its black outline inside its bounds.
        QCOMPARE(QColor(img.pixel(16, 6)), QColor(0x80, 0x80, 0x80));
        QCOMPARE(QColor(img.pixel(22, 6)), QColor(Qt::black));
        QCOMPARE(QColor(img.pixel(484, 6)), QColor(0x80, 0x80, 0x80));
    }

    void rollsUpWithThePointerAway()
    {
        TfAppBar bar;
        QCursor::setPos(bar.x() + 250, 600);
        if (QCursor::pos() != QPoint(bar.x() + 250, 600))
            QSKIP("this platform cannot place the pointer");
        QTRY_COMPARE_WITH_TIMEOUT(bar.y(), -23, 5000);
        QCursor::setPos(bar.x() + 250, 0);
        QTRY_COMPARE_WITH_TIMEOUT(bar.y(), 0, 5000);
    }
};

ZENTRO_TEST_MAIN(tst_AppBar)
#include "tst_AppBar.moc"
