#include "app/Application.h"
#include "appbar/AppBarGeometry.h"
#include "appbar/CaptionLabel.h"
#include "appbar/uAppbar.h"
#include "base/FontCache.h"
#include "base/FontFaces.h"

#include "ZentroTest.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <memory>

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
        // Out of the window manager's hands, and never the focus window.
        QVERIFY(bar.windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
        QVERIFY(bar.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
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

    // Drawn from the face's file, a caption looks as a label draws it;
    // text the face cannot show, or a face not installed, falls back.
    void captionsDrawAsLabels_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("fromFace");
        QTest::newRow("latin") << "You have 13 new e-mails"
                               << "Arial" << true;
        QTest::newRow("kerned pairs") << "AVATAR Wo To"
                                      << "Arial" << true;
        QTest::newRow("not in the face") << "Mail \u2603 \u65e5"
                                         << "Arial" << false;
        QTest::newRow("no such face") << "Online"
                                      << "Zentro No Such Face" << false;
    }

    void captionsDrawAsLabels()
    {
        QFETCH(QString, text);
        QFETCH(QString, family);
        QFETCH(bool, fromFace);
        QWidget window;
        TCaptionLabel caption(text, family, 13, true, &window);
        QLabel label(text, &window);
        label.setFont(caption.font());
        caption.adjustSize();
        label.adjustSize();
        QCOMPARE(caption.DrawnFromFace(), fromFace);
        QCOMPARE(caption.size(), label.size());
        QCOMPARE(caption.grab().toImage(), label.grab().toImage());
        // A new text is laid out anew.
        caption.setText(text + QStringLiteral(" 2"));
        label.setText(caption.text());
        caption.adjustSize();
        label.adjustSize();
        QCOMPARE(caption.grab().toImage(), label.grab().toImage());
    }

    // The next run shows a caption from the image this one kept, without
    // its face, until it is checked against the face; a file of another
    // font setup, or not written by us, gives nothing.
    void captionsKeptForTheNextRun()
    {
        const QString file = QDir::current().filePath(QStringLiteral("kept"));
        const auto open = [&](const QString& text) {
            TFontCache::Instance().Open(file);
            return std::make_unique<TCaptionLabel>(text, QStringLiteral("Arial"), 13, true,
                                                   nullptr);
        };
        const QString text = QStringLiteral("You have 13 new e-mails");
        const auto first = open(text);
        first->adjustSize();
        const QImage fromFace = first->grab().toImage();
        first->Confirm();
        TFontCache::Instance().Save();
        const auto next = open(text);
        QVERIFY(next->DrawnFromKeptImage());
        next->adjustSize();
        QCOMPARE(next->size(), first->size());
        const QImage fromKept = next->grab().toImage();
        QVERIFY(next->DrawnFromKeptImage()); // painted without its face
        for (int y = 0; y < fromFace.height(); ++y)
            for (int x = 0; x < fromFace.width(); ++x)
                for (int shift : {0, 8, 16, 24}) // blending in two steps may round apart
                    QVERIFY(qAbs(int(fromKept.pixel(x, y) >> shift & 255) -
                                 int(fromFace.pixel(x, y) >> shift & 255)) <= 1);
        next->Confirm();
        QVERIFY(!next->DrawnFromKeptImage());
        QCOMPARE(next->grab().toImage(), fromFace);
        QVERIFY(!open(text + QStringLiteral("!"))->DrawnFromKeptImage());

        // A kept answer that is wrong gives way once confirmed.
        TFontCache::Instance().SetInstalled(QStringLiteral("Zentro Kept Face"), true);
        QVERIFY(FontFamilyInstalled(QStringLiteral("Zentro Kept Face")));
        ConfirmFontAnswers();
        QVERIFY(!FontFamilyInstalled(QStringLiteral("Zentro Kept Face")));
        TFontCache::Instance().Save();

        QFile keptFile(file);
        QVERIFY(keptFile.open(QIODevice::ReadOnly));
        const QByteArray kept = keptFile.readAll();
        qputenv("XDG_DATA_DIRS", "/zentro/other/setup");
        QVERIFY(!open(text)->DrawnFromKeptImage());
        qunsetenv("XDG_DATA_DIRS");
        for (const QByteArray& hostile : {kept.left(kept.size() / 2), QByteArray(4096, '\xff')}) {
            keptFile.close();
            QVERIFY(keptFile.open(QIODevice::WriteOnly) &&
                    keptFile.write(hostile) == hostile.size());
            keptFile.close();
            QVERIFY(!open(text)->DrawnFromKeptImage());
            QVERIFY(!TFontCache::Instance().Installed(QStringLiteral("Zentro Kept Face")));
        }
    }

    void hintsShowWhileAnotherWindowIsActive()
    {
        TfAppBar bar;
        QWidget other;
        other.setGeometry(100, 200, 200, 100);
        other.show();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());
        // Down, whatever the pointer did meanwhile: a window shown wakes the
        // roll, which takes the bar up while the pointer is elsewhere; from
        // here on the pointer is on the bar, which keeps it down.
        bar.tRoll->stop();
        bar.move(bar.x(), 0);
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

    // The roll timer stops once the bar rests rolled up with the pointer
    // away; what follows must still bring the bar where the pointer says.
    void wakesFromRest_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("restsAt");
        QTest::newRow("pointer enters the strip") << "enter" << 0;
        // Qt tells no other window of the pointer while a popup holds it.
        QTest::newRow("pointer enters with a popup open") << "popup" << 0;
        QTest::newRow("pointer enters with a button held") << "button" << 0;
        // Another window over the strip takes the pointer's entering; taking
        // that window away puts the pointer into the bar.
        QTest::newRow("pointer uncovered on the strip") << "covered" << 0;
        QTest::newRow("placed down from outside") << "placed" << -23;
    }

    void wakesFromRest()
    {
        QFETCH(QString, what);
        QFETCH(int, restsAt);
        TfAppBar bar;
        const QPoint away(bar.x() + 250, 600);
        const QPoint strip(bar.x() + 250, 0);
        QCursor::setPos(away);
        if (QCursor::pos() != away)
            QSKIP("this platform cannot place the pointer");
        QTRY_COMPARE_WITH_TIMEOUT(bar.y(), -23, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!bar.tRoll->isActive(), 5000);

        // A window of ours under the pointer, to hold a real button down in.
        QWidget other;
        other.setGeometry(away.x() - 100, away.y() - 50, 200, 100);
        if (what == QLatin1String("popup")) {
            bar.pmMenu->popup(away);
            QTRY_VERIFY(bar.pmMenu->isVisible());
        } else if (what == QLatin1String("button")) {
            other.show();
            QVERIFY(QTest::qWaitForWindowExposed(&other));
            QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                                       {QStringLiteral("mousedown"), QStringLiteral("1")}),
                     0);
            QTRY_COMPARE(QGuiApplication::mouseButtons(), Qt::LeftButton);
        } else if (what == QLatin1String("covered")) {
            other.setGeometry(strip.x() - 50, 0, 100, 40);
            other.show();
            QVERIFY(QTest::qWaitForWindowExposed(&other));
            // The bar raises itself over windows of ours; put this one over it.
            QCoreApplication::processEvents();
            other.raise();
            QTRY_VERIFY_WITH_TIMEOUT(!bar.tRoll->isActive(), 5000);
        }
        // Let the timer look once with the pointer held, then move it.
        QSignalSpy ticks(bar.tRoll, &QTimer::timeout);
        if (what == QLatin1String("popup") || what == QLatin1String("button"))
            QVERIFY(ticks.wait());
        if (what == QLatin1String("placed"))
            bar.move(bar.x(), 0);
        else
            QCursor::setPos(strip);
        if (what == QLatin1String("covered"))
            other.hide();
        QTRY_COMPARE_WITH_TIMEOUT(bar.y(), restsAt, 5000);
        // Resting on the pointer, the bar waits for it to leave.
        if (what != QLatin1String("popup") && what != QLatin1String("button"))
            QTRY_VERIFY_WITH_TIMEOUT(!bar.tRoll->isActive(), 5000);

        bar.pmMenu->hide();
        if (what == QLatin1String("button"))
            QProcess::execute(QStringLiteral("xdotool"),
                              {QStringLiteral("mouseup"), QStringLiteral("1")});
        QCursor::setPos(away);
        QTRY_COMPARE_WITH_TIMEOUT(bar.y(), -23, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!bar.tRoll->isActive(), 5000);
    }

    // Put back down each time it rolls up, with the pointer still: the bar
    // soon lets it be, until the pointer comes and goes.
    void givesUpAFightWithAStillPointer()
    {
        TfAppBar bar;
        const QPoint away(bar.x() + 250, 600);
        QCursor::setPos(away);
        if (QCursor::pos() != away)
            QSKIP("this platform cannot place the pointer");
        QTRY_VERIFY_WITH_TIMEOUT(bar.y() == -23 && !bar.tRoll->isActive(), 5000);
        for (int i = 0; i < 8; ++i) {
            bar.move(bar.x(), 0);
            QTRY_VERIFY_WITH_TIMEOUT(!bar.tRoll->isActive(), 5000);
        }
        QCOMPARE(bar.y(), 0);
        QCursor::setPos(bar.x() + 250, 12);
        QCursor::setPos(away);
        QTRY_COMPARE_WITH_TIMEOUT(bar.y(), -23, 5000);
    }
};

ZENTRO_TEST_MAIN(tst_AppBar)
#include "tst_AppBar.moc"
