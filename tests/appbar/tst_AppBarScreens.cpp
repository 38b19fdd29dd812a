// The app-bar on a desktop of several monitors that change while it runs
// (an X server whose RandR monitors the test sets, tests/e2e/desktop
// monitors): it follows the primary monitor to its top centre and rolls
// relative to that monitor's top, whatever comes or goes; Full Mode opens
// centred on the primary monitor; a popup menu opened on the other monitor
// keeps to that monitor's work area.

#include "app/Application.h"
#include "appbar/uAppbar.h"
#include "base/WindowLook.h"
#include "chat/uChat.h"
#include "compose/uMail.h"
#include "contacts/uMessenger.h"
#include "main/uMain.h"
#include "popup/ZmItem.h"
#include "popup/ZmPopupMenu.h"
#include "popup/ZmRootItem.h"

#include "WindowProbe.h"
#include "ZentroTest.h"

#include <QCursor>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include <memory>

namespace {

struct TMonitor {
    QString name;
    QRect geometry;
};
using TLayout = QList<TMonitor>; // the first one is the primary monitor

// The server's output: the monitor that holds it is the primary one.
const QString PrimaryOutput = QStringLiteral("VNC-0");

QString Xrandr(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("xrandr"), args);
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput()) + QLatin1Char('\n');
}

// Replaces the monitors that xrandr defined (not the server's own, marked
// '+') by the layout, in one request; an empty layout leaves the server's.
bool SetMonitors(const TLayout& layout)
{
    QStringList args;
    const QStringList lines = Xrandr({QStringLiteral("--listmonitors")}).split(QLatin1Char('\n'));
    for (const QString& line : lines.mid(1)) {
        const QString name = line.simplified().section(QLatin1Char(' '), 1, 1);
        if (!name.isEmpty() && !name.startsWith(QLatin1Char('+')))
            args << QStringLiteral("--delmonitor") << name.mid(name.startsWith(QLatin1Char('*')));
    }
    for (const TMonitor& m : layout) {
        const QRect& g = m.geometry;
        args << QStringLiteral("--setmonitor") << m.name
             << QStringLiteral("%1/%1x%2/%2+%3+%4") // millimetres: any
                    .arg(g.width())
                    .arg(g.height())
                    .arg(g.x())
                    .arg(g.y())
             << (&m == &layout.first() ? PrimaryOutput : QStringLiteral("none"));
    }
    return args.isEmpty() || !Xrandr(args).isNull();
}

bool Follows(const TLayout& layout, const QRect& primary)
{
    return QTest::qWaitFor(
        [&] {
            const QScreen* s = QGuiApplication::primaryScreen();
            return s && s->geometry() == primary &&
                   QGuiApplication::screens().size() == qMax<qsizetype>(layout.size(), 1);
        },
        10000);
}

const TLayout SideBySide = {{QStringLiteral("right"), {1280, 0, 1280, 1024}},
                            {QStringLiteral("left"), {0, 0, 1280, 1024}}};

} // namespace

Q_DECLARE_METATYPE(TLayout)

class tst_AppBarScreens : public QObject {
    Q_OBJECT
    std::unique_ptr<TfAppBar> bar;
private slots:
    void initTestCase()
    {
        if (qgetenv("ZENTRO_DESKTOP") != "monitors")
            QSKIP("needs the display of tests/e2e/desktop monitors");
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        const QString monitors = Xrandr({QStringLiteral("--listmonitors")});
        QVERIFY2(monitors.contains(PrimaryOutput),
                 qPrintable(QStringLiteral("no output %1 among: %2").arg(PrimaryOutput, monitors)));
        QVERIFY(SetMonitors(SideBySide));
        QVERIFY(Follows(SideBySide, SideBySide.first().geometry));
        bar = std::make_unique<TfAppBar>();
        fAppBar = bar.get();
    }

    // One bar while the monitors change under it, row after row.
    void followsThePrimaryMonitor_data()
    {
        QTest::addColumn<TLayout>("layout");
        QTest::addColumn<QRect>("primary");
        const QRect top(0, 0, 1280, 1024), below(0, 1024, 1280, 1024);
        QTest::newRow("primary right of the other") << SideBySide << QRect(1280, 0, 1280, 1024);
        QTest::newRow("primary below the other")
            << TLayout{{QStringLiteral("below"), below}, {QStringLiteral("top"), top}} << below;
        QTest::newRow("primary moved to the other")
            << TLayout{{QStringLiteral("top"), top}, {QStringLiteral("below"), below}} << top;
        QTest::newRow("primary gone, the other one primary")
            << TLayout{{QStringLiteral("below"), below}} << below;
        // No monitor of ours left: the server's whole output remains.
        QTest::newRow("every monitor gone") << TLayout{} << QRect(0, 0, 2560, 2048);
        QTest::newRow("two again") << SideBySide << QRect(1280, 0, 1280, 1024);
    }
    void followsThePrimaryMonitor()
    {
        QFETCH(TLayout, layout);
        QFETCH(QRect, primary);
        const QPoint away = primary.center();
        QCursor::setPos(away);
        QVERIFY(SetMonitors(layout));
        QVERIFY2(Follows(layout, primary), "the screens did not change");

        const int left = primary.x() + (primary.width() - 500) / 2;
        QTRY_COMPARE(bar->pos(), QPoint(left, primary.y() - 23));
        QCursor::setPos(left + 250, primary.y());
        QTRY_COMPARE(bar->pos(), QPoint(left, primary.y()));
        QCursor::setPos(away);
        QTRY_COMPARE(bar->pos(), QPoint(left, primary.y() - 23));
        // At rest in every layout: no move without the pointer moving.
        QTRY_VERIFY(!bar->tRoll->isActive());
    }

    void fullModeCentredOnThePrimaryMonitor()
    {
        QVERIFY(SetMonitors(SideBySide));
        QVERIFY(Follows(SideBySide, SideBySide.first().geometry));
        bar->sbFullClick();
        QVERIFY(fMain);
        QTRY_VERIFY(fMain->isVisible());
        QCOMPARE(fMain->frameGeometry().center(), SideBySide.first().geometry.center());
        fMain->close();
        QTRY_VERIFY(!fMain);
    }

    void messengerAndChatOnTheirOpenersMonitor()
    {
        bar->sbMessengerClick();
        QVERIFY(fMessenger);
        QVERIFY(SideBySide.first().geometry.contains(fMessenger->geometry()));
        const QRect other = SideBySide.at(1).geometry;
        fMessenger->move(other.topLeft() + QPoint(600, 600));
        TfChat chat;
        PlaceOnOpenersMonitor(&chat, fMessenger);
        QVERIFY(other.contains(chat.geometry()));
        fMessenger->close();
    }

    void composerCentredOnItsOpenersMonitor()
    {
        const QRect other = SideBySide.at(1).geometry;
        QWidget opener;
        opener.setGeometry(other.x() + 100, other.y() + 100, 300, 200);
        opener.show();
        opener.activateWindow();
        QTRY_VERIFY(opener.isActiveWindow());
        TfMail composer;
        QCOMPARE(composer.geometry().center(), other.center());
    }

    void liveMenuOnTheOtherMonitor()
    {
        const QRect area = SideBySide.at(1).geometry;
        QTRY_COMPARE(QGuiApplication::screenAt(area.center())->availableGeometry(), area);
        QWidget owner;
        owner.setGeometry(area.x() + 100, area.y() + 100, 300, 200);
        owner.show();
        TZmPopupMenu menu(&owner);
        for (int i = 0; i < 8; ++i) {
            auto* item = new TZmItem(&owner);
            item->SetCaption(QStringLiteral("Item %1").arg(i));
            menu.Items()->Add(item);
        }
        // Near the corner that borders on the primary monitor: the menu
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
        QCOMPARE(window.bottom(), at.y() - 1);
        QCOMPARE(window.right(), at.x() - 1);
    }

    void cleanupTestCase()
    {
        fAppBar = nullptr;
        bar.reset();
    }
};

ZENTRO_TEST_MAIN(tst_AppBarScreens)
#include "tst_AppBarScreens.moc"
