// The Full Mode window of the real program on the virtual display: the
// right-button release over the preview brings the message menu and never
// the HTML engine's own; elsewhere the hook stays out of the way; "Check"
// turns the preview black; the window is made once and fades once; the
// toolbar layout is kept at an Exit with the Customize dialog open. The
// HTML engine is loaded only when Full Mode starts it, and a program that
// cannot find the engine's library still opens Full Mode.

#include "E2ESteps.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace x11;

namespace {

// The share of pixels of a rectangle of the screen that are black.
double BlackShare(const QRect& r)
{
    const QImage img = Screen();
    if (img.isNull())
        return 0;
    int black = 0, all = 0;
    for (int y = r.top(); y <= r.bottom(); y += 4)
        for (int x = r.left(); x <= r.right(); x += 4, ++all)
            black += img.pixel(x, y) == qRgb(0, 0, 0);
    return all ? double(black) / all : 0;
}

} // namespace

class tst_e2e_FullMode : public QObject {
    Q_OBJECT
private slots:
    void previewMenuCheckAndLayoutFile()
    {
        Program zentro;
        QVERIFY(zentro.Start());
        const QString bar = WaitForWindow(QStringLiteral("^Zentro AppBar$"));
        QVERIFY2(!bar.isEmpty(), "the app-bar did not appear");
        QVERIFY(!zentro.HasLoaded(QStringLiteral("WebEngine")));
        QVERIFY(!zentro.HasLoaded(QStringLiteral("libzentro-htmlengine")));
        const int barX = WindowGeometry(bar)->x();
        OpenFullMode(bar, barX);
        if (QTest::currentTestFailed())
            return;
        // One native window from the click until the preview shows its page
        // (white, in the lower right pane): the HTML view's surface must not
        // make the window anew, which blinks and fades it in again.
        QSet<QString> ids;
        QRect window;
        const QPoint inPreview(560, 420);
        bool paged = false;
        QDeadlineTimer deadline(30000);
        for (int i = 0; !paged && !deadline.hasExpired(); ++i) {
            const QStringList found = FindWindows(QStringLiteral("^Zentro$"));
            for (const QString& id : found)
                ids.insert(id);
            const auto at = found.isEmpty() ? std::nullopt : WindowGeometry(found.first());
            if (at && i % 8 == 7) {
                window = *at;
                paged = Screen().pixel(window.topLeft() + inPreview) == qRgb(255, 255, 255);
            }
        }
        QVERIFY2(paged, "the Full Mode window did not show its preview");
        QVERIFY(zentro.HasLoaded(QStringLiteral("libzentro-htmlengine")));
        QCOMPARE(ids.size(), 1);
        const QString main = *ids.begin();
        // Centred on the screen, 800 x 600, and opaque once the fade is over.
        QCOMPARE(window.size(), QSize(800, 600));
        QTRY_VERIFY_WITH_TIMEOUT(Property(main, QStringLiteral("_NET_WM_WINDOW_OPACITY"))
                                     .value_or(QStringLiteral("= 4294967295"))
                                     .endsWith(QLatin1String("= 4294967295")),
                                 5000);

        const QPoint preview = window.topLeft() + inPreview;
        const QRect previewArea(preview - QPoint(60, 40), QSize(120, 80));

        // Right-button release over the preview: the message menu, alone.
        MouseMove(preview.x(), preview.y());
        const QStringList before = VisibleWindows();
        RightClick();
        QTRY_VERIFY_WITH_TIMEOUT(!NewWindows(before).isEmpty(), 5000);
        // The engine's own menu could only follow ours: see below.
        QStringList popups = NewWindows(before);
        QCOMPARE(popups.size(), 1);
        QCOMPARE(WindowName(popups.first()), QStringLiteral("Message"));
        const auto menu = WindowGeometry(popups.first());
        QVERIFY(menu);
        QVERIFY(menu->contains(preview + QPoint(2, 2)) ||
                (menu->topLeft() - preview).manhattanLength() < 40);
        Keys({QStringLiteral("Escape")});
        QVERIFY(WaitForNoWindow(QStringLiteral("^Message$"), 5000));

        // Elsewhere (the header list) the hook takes nothing: once a later
        // right-click over the preview has brought its menu, the ones before
        // it have been handled, and its menu is the only new window.
        MouseMove(window.x() + 500, window.y() + 120);
        RightClick();
        MouseMove(preview.x(), preview.y());
        RightClick();
        QVERIFY(!WaitForWindow(QStringLiteral("^Message$"), 5000).isEmpty());
        QCOMPARE(NewWindows(before).size(), 1);
        Keys({QStringLiteral("Escape")});
        QVERIFY(WaitForNoWindow(QStringLiteral("^Message$"), 5000));

        // "Check": the toolbar's fourth picture (after Compose, Reply,
        // Forward and a separator) makes the page black.
        QVERIFY(BlackShare(previewArea) < 0.1);
        MouseMove(window.x() + 92, window.y() + 29);
        Click(1);
        QTRY_VERIFY_WITH_TIMEOUT(BlackShare(previewArea) > 0.9, 10000);

        // Exit from the app-bar with the Full Mode window and its toolbar's
        // Customize dialog open keeps the toolbar layout in the working
        // directory.
        QVERIFY2(!OpenCustomize(window).isEmpty(), "the Customize dialog did not open");
        QVERIFY(ExitFromBar(zentro, bar));
        QVERIFY(QFile::exists(QDir(zentro.WorkDir()).filePath(QStringLiteral("zentro.am"))));
    }

    void withoutEngineLibrary()
    {
        // A copy of the program with no engine's library beside it or in
        // its library folder: the view stays empty, the program carries on.
        QTemporaryDir bin;
        const QString copy = bin.filePath(QStringLiteral("zentro"));
        QVERIFY(QFile::copy(QString::fromLocal8Bit(qgetenv("ZENTRO_BINARY")), copy));
        QVERIFY(QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ExeOwner));
        Program zentro;
        QVERIFY(zentro.Start({}, copy));
        const QString bar = WaitForWindow(QStringLiteral("^Zentro AppBar$"));
        QVERIFY2(!bar.isEmpty(), "the app-bar did not appear");
        const int barX = WindowGeometry(bar)->x();
        OpenFullMode(bar, barX);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(!WaitForWindow(QStringLiteral("^Zentro$")).isEmpty(),
                 "the Full Mode window did not appear");
        // Still answering: the bar rolls up when the pointer leaves it.
        MouseMove(barX + 250, 300);
        QTRY_COMPARE_WITH_TIMEOUT(WindowGeometry(bar)->y(), -23, 5000);
        QCOMPARE(zentro.Process().state(), QProcess::Running);
    }

private:
    // Rolls the bar (at barX) down and presses its Full Mode button.
    static void OpenFullMode(const QString& bar, int barX)
    {
        MouseMove(barX + 250, 0);
        QTRY_COMPARE_WITH_TIMEOUT(WindowGeometry(bar)->y(), 0, 5000);
        MouseMove(barX + 11, 10);
        Click(1);
    }
};

QTEST_GUILESS_MAIN(tst_e2e_FullMode)
#include "tst_e2e_FullMode.moc"
