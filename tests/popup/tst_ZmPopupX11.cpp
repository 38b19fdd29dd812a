// Real input on the virtual display: the X server's pointer grab, the
// right-button press that opens a context menu and its release, hovering
// and clicking with xdotool, and a press outside passed on to the window
// under the pointer.

#include "popup/ZmItem.h"
#include "popup/ZmPopupMenu.h"
#include "popup/ZmRootItem.h"
#include "popup/internal/ZmItemViewer.h"
#include "popup/internal/ZmMenuLoop.h"
#include "popup/internal/ZmPopupWindow.h"
#include "popup/internal/ZmView.h"

#include "X11Driver.h"
#include "ZentroTest.h"

#include <QContextMenuEvent>
#include <QTimer>

#include <functional>

namespace {

class TOwner : public QWidget {
public:
    TZmPopupMenu* Menu = nullptr;
    int Presses = 0;

protected:
    void contextMenuEvent(QContextMenuEvent* e) override { Menu->Popup(e->globalPos()); }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton)
            ++Presses;
    }
};

TZmView* OpenMenu()
{
    const QList<TZmView*> views = TZmView::OpenViews();
    for (TZmView* v : views)
        if (!v->ParentView() && v->Window()->isVisible() && v->Loop() && v->Loop()->IsRunning())
            return v;
    return nullptr;
}

QPoint GlobalCentre(const TZmView* view, const QString& caption)
{
    for (const TZmItemViewer* v : view->ShownViewers())
        if (v->Item()->Caption() == caption)
            return view->ScreenRect(v).center();
    return {};
}

// Calls step every 20 ms (also while a menu's loop runs) until it returns
// true or the context goes.
void Poll(QObject* context, std::function<bool()> step)
{
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [timer, step] {
        if (step())
            timer->stop();
    });
    timer->start(20);
}

} // namespace

class tst_ZmPopupX11 : public QObject {
    Q_OBJECT
private slots:
    void rightClickHoverAndClick()
    {
        TOwner owner;
        owner.Menu = new TZmPopupMenu(&owner);
        for (const char* caption : {"One", "Two", "Three"}) {
            auto* item = new TZmItem(&owner);
            item->SetCaption(QString::fromLatin1(caption));
            owner.Menu->Items()->Add(item);
        }
        QString clicked;
        bool menuGoneWhenClicked = false;
        for (int i = 0; i < 3; ++i) {
            TZmCustomItem* item = owner.Menu->Items()->Items(i);
            item->OnClick = [&, item](QObject*) {
                clicked = item->Caption();
                menuGoneWhenClicked = OpenMenu() == nullptr;
            };
        }
        owner.setGeometry(100, 100, 400, 300);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));

        QObject context;
        bool openAfterRightRelease = false;
        int stage = 0;
        Poll(&context, [&] {
            TZmView* view = OpenMenu();
            if (!view)
                return false;
            if (stage == 0) {
                // The right button's release has reached the menu by now.
                openAfterRightRelease = QWidget::mouseGrabber() == view->Window();
                const QPoint p = GlobalCentre(view, QStringLiteral("Two"));
                x11::MouseMove(p.x(), p.y());
                stage = 1;
            } else if (stage == 1 && view->Selected() &&
                       view->Selected()->Item()->Caption() == QLatin1String("Two")) {
                x11::Click(1);
                return true;
            }
            return false;
        });
        x11::MouseMove(200, 200);
        x11::Click(3);
        QTRY_COMPARE_WITH_TIMEOUT(clicked, QStringLiteral("Two"), 10000);
        QVERIFY(openAfterRightRelease);
        QVERIFY(menuGoneWhenClicked);
        QCOMPARE(owner.Presses, 0);
    }

    void pressOutsideReachesTheWindowUnderThePointer()
    {
        TOwner owner;
        owner.Menu = new TZmPopupMenu(&owner);
        auto* item = new TZmItem(&owner);
        item->SetCaption(QStringLiteral("Item"));
        owner.Menu->Items()->Add(item);
        int clicks = 0;
        item->OnClick = [&](QObject*) {
            ++clicks;
        };
        owner.setGeometry(100, 100, 300, 300);
        owner.show();
        TOwner other;
        other.setGeometry(600, 100, 200, 200);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        QVERIFY(QTest::qWaitForWindowExposed(&other));

        QObject context;
        int otherPressesWhileOpen = -1;
        Poll(&context, [&] {
            if (!OpenMenu())
                return false;
            otherPressesWhileOpen = other.Presses;
            x11::MouseMove(700, 200);
            x11::Click(1);
            return true;
        });
        x11::MouseMove(150, 150);
        x11::Click(3);
        QTRY_COMPARE_WITH_TIMEOUT(other.Presses, 1, 10000);
        QCOMPARE(otherPressesWhileOpen, 0);
        QVERIFY(!OpenMenu());
        QVERIFY(PostedEventsHandled());
        QCOMPARE(clicks, 0);
        QCOMPARE(owner.Presses, 0);
    }
};

ZENTRO_TEST_MAIN(tst_ZmPopupX11)
#include "tst_ZmPopupX11.moc"
