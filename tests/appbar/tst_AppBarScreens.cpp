// The app-bar on a desktop of several monitors (the offscreen platform
// given a screen layout through ZENTRO_TEST_SCREENS, the first screen being
// the primary one): it sits at the top centre of the primary screen and
// rolls relative to that screen's top. A popup menu opened on the other
// screen keeps to that screen's work area.

#include "app/Application.h"
#include "appbar/uAppbar.h"
#include "base/AppSetup.h"
#include "popup/ZmItem.h"
#include "popup/ZmPopupMenu.h"
#include "popup/ZmRootItem.h"

#include "WindowProbe.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class tst_AppBarScreens : public QObject {
    Q_OBJECT
private slots:
    void placedAndRolledOnThePrimaryScreen()
    {
        QVERIFY(QGuiApplication::screens().size() >= 2);
        const QRect p = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(p.topLeft() != QPoint(0, 0));
        TfAppBar bar;
        QCOMPARE(bar.geometry(), QRect(p.x() + (p.width() - 500) / 2, p.y(), 500, 25));

        QCursor::setPos(bar.x() + 250, p.y() + 600);
        if (QCursor::pos() != QPoint(bar.x() + 250, p.y() + 600))
            QSKIP("this platform cannot place the pointer");
        QTRY_COMPARE(bar.y(), p.y() - 23);
        QVERIFY(bar.IsPointOnBar(QPoint(bar.x() + 250, p.y())));
        QVERIFY(!bar.IsPointOnBar(QPoint(bar.x() + 250, p.y() - 24)));
        QCursor::setPos(bar.x() + 250, p.y());
        QTRY_COMPARE(bar.y(), p.y());
        QCOMPARE(bar.x(), p.x() + (p.width() - 500) / 2);
    }

    void liveMenuOnTheOtherScreen()
    {
        QuietenGrabWarnings();
        const QScreen* other = QGuiApplication::screens().at(1);
        const QRect area = other->availableGeometry();
        QWidget owner;
        owner.setGeometry(area.x() + 100, area.y() + 100, 300, 200);
        owner.show();
        TZmPopupMenu menu(&owner);
        for (int i = 0; i < 8; ++i) {
            auto* item = new TZmItem(&owner);
            item->SetCaption(QStringLiteral("Item %1").arg(i));
            menu.Items()->Add(item);
        }
        // Near the corner that borders on the primary screen: the menu
        // must turn back rather than spill onto it.
        const QPoint at = area.bottomRight() - QPoint(4, 4);
        QRect window;
        QTimer::singleShot(0, &owner, [&] {
            if (!QTest::qWaitFor([] { return OpenMenu() != nullptr; }, 5000))
                return;
            window = OpenMenu()->Window()->geometry();
            QTest::keyClick(OpenMenu()->Window(), Qt::Key_Escape);
        });
        menu.Popup(at);
        QVERIFY(!window.isEmpty());
        QVERIFY2(area.contains(window), qPrintable(QStringLiteral("menu at %1,%2 %3x%4")
                                                       .arg(window.x())
                                                       .arg(window.y())
                                                       .arg(window.width())
                                                       .arg(window.height())));
        QCOMPARE(window.bottom(), at.y() - 1);
        QCOMPARE(window.right(), at.x() - 1);
    }
};

int main(int argc, char* argv[])
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly))
        return 2;
    f.write(qgetenv("ZENTRO_TEST_SCREENS"));
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    SetUpApplication(app);
    tst_AppBarScreens tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_AppBarScreens.moc"
