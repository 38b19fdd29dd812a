// Drives real popup menus with synthesized mouse and key events while
// their loop runs: the events are scheduled before the menu pops up and go
// through the same application-wide route as real input.

#include "popup/ZmItem.h"
#include "popup/ZmPlatform.h"
#include "popup/ZmPopupMenu.h"
#include "popup/ZmRootItem.h"
#include "popup/ZmSeparatorItem.h"
#include "popup/ZmSubmenuItem.h"
#include "popup/internal/ZmDraw.h"
#include "popup/internal/ZmItemViewer.h"
#include "popup/internal/ZmMenuLoop.h"
#include "popup/internal/ZmPopupView.h"
#include "popup/internal/ZmPopupWindow.h"

#include "WindowProbe.h"
#include "ZentroTest.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProxyStyle>
#include <QStatusTipEvent>
#include <QStyleFactory>
#include <QTimer>

#include <functional>

namespace {

constexpr int ShowDelay = 150;

// The platform's submenu delay, fixed for the tests.
class TDelayStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_Menu_SubMenuPopupDelay)
            return ShowDelay;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// A top-level window that counts the presses it receives and collects
// the status tips that reach it.
class TOwner : public QWidget {
public:
    int Presses = 0;
    QStringList Tips;

protected:
    void mousePressEvent(QMouseEvent*) override { ++Presses; }
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::StatusTip)
            Tips << static_cast<QStatusTipEvent*>(e)->tip();
        return QWidget::event(e);
    }
};

// A focusable control that records the keys it receives, modifier keys
// left out.
class TKeySink : public QWidget {
public:
    QList<int> Keys;
    TKeySink(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (!QList<int>{Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta}.contains(
                e->key()))
            Keys << e->key();
    }
};

// Where a submenu opens beside its item.
enum TSide { sdRight, sdLeft, sdOverFromRight, sdOverFromLeft };

QList<TZmPopupWindow*> VisiblePopups()
{
    QList<TZmPopupWindow*> out;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops)
        if (auto* p = qobject_cast<TZmPopupWindow*>(w); p && p->isVisible())
            out << p;
    return out;
}

// Whether a menu's loop is still running (its window stays until the
// loop has returned).
bool MenuRunning()
{
    TZmView* view = OpenMenu();
    return view && view->Loop() && view->Loop()->IsRunning();
}

QString SelectedCaption(const TZmView* view)
{
    const TZmItemViewer* v = view ? view->Selected() : nullptr;
    return v && v->Item() ? v->Item()->Caption() : QString();
}

TZmItemViewer* ViewerCalled(const TZmView* view, const QString& caption)
{
    for (TZmItemViewer* v : view->ShownViewers())
        if (v->Item() && v->Item()->Caption() == caption)
            return v;
    return nullptr;
}

// Centre of an item in its popup window's coordinates.
QPoint ItemPos(const TZmView* view, const QString& caption)
{
    return view->ViewerRect(ViewerCalled(view, caption)).center() + view->pos();
}

void Key(TZmView* view, Qt::Key key)
{
    QTest::keyClick(view->Window(), key);
}

void Type(TZmView* view, char ch)
{
    QTest::keyClick(view->Window(), ch);
}

TZmItem* Item(QObject* owner, TZmCustomItem* parent, const QString& caption)
{
    auto* item = new TZmItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

TZmSeparatorItem* Separator(QObject* owner, TZmCustomItem* parent)
{
    auto* item = new TZmSeparatorItem(owner);
    parent->Add(item);
    return item;
}

} // namespace

class tst_ZmPopup : public QObject {
    Q_OBJECT

    // Runs body inside the menu's loop once it is open; the body closes
    // the menu. A watchdog cancels a menu a failed body left open.
    void WhenOpen(QObject* context, std::function<void(TZmView*)> body)
    {
        QTimer::singleShot(0, context, [body] {
            if (QTest::qWaitFor([] { return OpenMenu() != nullptr; }, 5000))
                body(OpenMenu());
        });
        QTimer::singleShot(20000, context, [] {
            for (TZmPopupWindow* w : VisiblePopups())
                w->hide();
        });
    }

    TOwner* m_owner = nullptr;
    TZmPopupMenu* m_menu = nullptr;

private slots:
    void initTestCase()
    {
        QuietenGrabWarnings();
        QApplication::setStyle(new TDelayStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
        QCOMPARE(ZmPlatform::MenuShowDelay(), ShowDelay);
    }

    void init()
    {
        m_owner = new TOwner;
        m_owner->setGeometry(0, 0, 400, 300);
        m_owner->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_owner));
        m_menu = new TZmPopupMenu(m_owner);
    }

    void cleanup()
    {
        delete m_owner;
        QVERIFY(VisiblePopups().isEmpty());
    }

    void downWrapsSkippingSeparatorsNotDisabledItems()
    {
        TZmRootItem* root = m_menu->Items();
        Item(m_owner, root, QStringLiteral("A"));
        Separator(m_owner, root);
        Item(m_owner, root, QStringLiteral("B"))->SetEnabled(false);
        Item(m_owner, root, QStringLiteral("C"));
        int clicks = 0;
        for (int i = 0; i < root->Count(); ++i)
            root->Items(i)->OnClick = [&](QObject*) {
                ++clicks;
            };

        QStringList seen;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            seen << SelectedCaption(view); // nothing selected at first
            for (int i = 0; i < 4; ++i) {
                Key(view, Qt::Key_Down);
                seen << SelectedCaption(view);
            }
            Key(view, Qt::Key_Up);
            seen << SelectedCaption(view);
            Key(view, Qt::Key_End);
            seen << SelectedCaption(view);
            Key(view, Qt::Key_Home);
            seen << SelectedCaption(view);
            Key(view, Qt::Key_Escape);
        });
        m_menu->Popup(QPoint(50, 50));
        QCOMPARE(seen, (QStringList{"", "A", "B", "C", "A", "C", "C", "A"}));
        QVERIFY(VisiblePopups().isEmpty());
        QVERIFY(PostedEventsHandled());
        QCOMPARE(clicks, 0);
    }

    void enterOnDisabledItemClosesWithoutAction()
    {
        TZmRootItem* root = m_menu->Items();
        TZmItem* off = Item(m_owner, root, QStringLiteral("Off"));
        off->SetEnabled(false);
        int clicks = 0;
        off->OnClick = [&](QObject*) {
            ++clicks;
        };
        QObject context;
        WhenOpen(&context, [](TZmView* view) {
            Key(view, Qt::Key_Down);
            Key(view, Qt::Key_Return);
        });
        m_menu->Popup(QPoint(50, 50));
        QVERIFY(VisiblePopups().isEmpty());
        QVERIFY(PostedEventsHandled());
        QCOMPARE(clicks, 0);
    }

    void uniqueAcceleratorExecutesAfterTheWindowIsGone()
    {
        TZmRootItem* root = m_menu->Items();
        Item(m_owner, root, QStringLiteral("&Open"));
        TZmItem* save = Item(m_owner, root, QStringLiteral("&Save"));
        Item(m_owner, root, QStringLiteral("Save &As"));
        bool popupReturned = false;
        int clicks = 0;
        int popupsDuringClick = -1;
        save->OnClick = [&](QObject* sender) {
            QCOMPARE(sender, save);
            ++clicks;
            popupsDuringClick = int(VisiblePopups().size());
            QVERIFY(popupReturned);
        };
        QObject context;
        WhenOpen(&context, [](TZmView* view) { Type(view, 'S'); });
        m_menu->Popup(QPoint(50, 50));
        popupReturned = true;
        // The click comes later, through the event loop.
        QCOMPARE(clicks, 0);
        QTRY_COMPARE(clicks, 1);
        QCOMPARE(popupsDuringClick, 0);
    }

    void severalAcceleratorMatchesOnlySelect()
    {
        TZmRootItem* root = m_menu->Items();
        Item(m_owner, root, QStringLiteral("&Copy"));
        Item(m_owner, root, QStringLiteral("&Cut"));
        Item(m_owner, root, QStringLiteral("Paste"));
        int clicks = 0;
        for (int i = 0; i < root->Count(); ++i)
            root->Items(i)->OnClick = [&](QObject*) {
                ++clicks;
            };
        QStringList seen;
        bool openAfterTyping = false;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            Type(view, 'c');
            seen << SelectedCaption(view);
            Type(view, 'c'); // the search goes on from the selection
            seen << SelectedCaption(view);
            Type(view, 'z'); // matches nothing: a beep, the menu stays
            seen << SelectedCaption(view);
            openAfterTyping = MenuRunning();
            Key(view, Qt::Key_Escape);
        });
        m_menu->Popup(QPoint(50, 50));
        QCOMPARE(seen, (QStringList{"&Copy", "&Cut", "&Cut"}));
        QVERIFY(openAfterTyping);
        QVERIFY(PostedEventsHandled());
        QCOMPARE(clicks, 0);
    }

    void submenuFollowsTheShowDelay()
    {
        TZmRootItem* root = m_menu->Items();
        Item(m_owner, root, QStringLiteral("First"));
        auto* sub = new TZmSubmenuItem(m_owner);
        sub->SetCaption(QStringLiteral("Chat with user(s) using ..."));
        root->Add(sub);
        for (const char* c : {"ZentroChat", "Yahoo Messenger", "MSN Messenger", "ICQ Chat"})
            Item(m_owner, sub, QString::fromLatin1(c));
        Item(m_owner, root, QStringLiteral("Last"));
        QStringList events;
        sub->OnPopup = [&](TZmCustomItem*, bool) {
            events << QStringLiteral("popup");
        };
        sub->OnClick = [&](QObject*) {
            events << QStringLiteral("click");
        };

        struct {
            bool openRightAfterHover = true, openTimerRunning = false, opened = false;
            bool stillOpenAfterMovingOn = false, closeTimerRunning = false, closed = false;
            QRect subWindow, parentWindow;
        } r;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            TZmPopupWindow* w = view->Window();
            QTest::mouseMove(w, ItemPos(view, sub->Caption()));
            r.openRightAfterHover = view->OpenView() != nullptr;
            r.openTimerRunning = view->TimerRunning(TZmView::tkOpenSubmenu);
            r.opened = QTest::qWaitFor([&] { return view->OpenView() != nullptr; }, 5000);
            if (!r.opened)
                return Key(view, Qt::Key_Escape);
            r.subWindow = view->OpenView()->Window()->geometry();
            r.parentWindow = w->geometry();
            QTest::mouseMove(w, ItemPos(view, QStringLiteral("Last")));
            r.stillOpenAfterMovingOn = view->OpenView() != nullptr;
            r.closeTimerRunning = view->TimerRunning(TZmView::tkCloseSubmenu);
            r.closed = QTest::qWaitFor([&] { return view->OpenView() == nullptr; }, 5000);
            Key(view, Qt::Key_Escape);
        });
        m_menu->Popup(QPoint(50, 50));
        QVERIFY(!r.openRightAfterHover);
        QVERIFY(r.openTimerRunning);
        QVERIFY(r.opened);
        // Opening the submenu raised its OnPopup, then its click.
        QCOMPARE(events, (QStringList{"popup", "click"}));
        // Beside its parent, overlapping the frame.
        QCOMPARE(r.subWindow.left(), r.parentWindow.right() - 5);
        QVERIFY(r.stillOpenAfterMovingOn);
        QVERIFY(r.closeTimerRunning);
        QVERIFY(r.closed);
    }

    void keyboardThroughSubmenus()
    {
        TZmRootItem* root = m_menu->Items();
        auto* sub = new TZmSubmenuItem(m_owner);
        sub->SetCaption(QStringLiteral("&More"));
        sub->SetHelpContext(0);
        root->Add(sub);
        TZmItem* inner = Item(m_owner, sub, QStringLiteral("&Inner"));
        inner->SetHelpContext(42);
        Item(m_owner, root, QStringLiteral("Plain"));
        int helpShown = 0;
        ZmPlatform::SetHelpHandler([&](int context) { helpShown = context; });
        QStringList seen;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            Key(view, Qt::Key_Down);
            Key(view, Qt::Key_Right); // opens with its first item selected
            seen << (view->OpenView() ? SelectedCaption(view->OpenView()) : QStringLiteral("-"));
            Key(view, Qt::Key_Left); // back to the first level
            seen << (view->OpenView() ? QStringLiteral("open") : QStringLiteral("closed"));
            Key(view, Qt::Key_Return); // Enter on a submenu opens it
            seen << (view->OpenView() ? SelectedCaption(view->OpenView()) : QStringLiteral("-"));
            Key(view, Qt::Key_Escape); // closes the innermost level only
            seen << (view->OpenView() ? QStringLiteral("open") : QStringLiteral("closed"))
                 << QString::number(VisiblePopups().size());
            Type(view, 'm'); // the only "m": acts as Enter
            seen << (view->OpenView() ? SelectedCaption(view->OpenView()) : QStringLiteral("-"));
            Key(view, Qt::Key_F1); // help of the innermost selected item
        });
        m_menu->Popup(QPoint(50, 50));
        ZmPlatform::SetHelpHandler(nullptr);
        QCOMPARE(seen, (QStringList{"&Inner", "closed", "&Inner", "closed", "1", "&Inner"}));
        QCOMPARE(helpShown, 42);
        // The menu ended with its submenu open: the submenu's view waits
        // for its deferred deletion, and no longer points at the first
        // level, which is gone.
        QVERIFY(!TZmView::OpenViews().isEmpty());
        for (TZmView* v : TZmView::OpenViews()) {
            QCOMPARE(v->ParentView(), nullptr);
            QCOMPARE(v->RootView(), v);
            QCOMPARE(v->Loop(), nullptr);
        }
    }

    // A handler run inside the menu opens a modal window: the menu ends and
    // lets go of the pointer and the keyboard, so that the window gets the
    // answer rather than wait for input that never comes.
    void modalWindowFromAHandlerEndsTheMenu()
    {
        auto* sub = new TZmSubmenuItem(m_owner);
        sub->SetCaption(QStringLiteral("&More"));
        m_menu->Items()->Add(sub);
        Item(m_owner, sub, QStringLiteral("Inner"));
        struct {
            int answer = -1, popupsWhileAsked = -1;
            bool grabbedWhileAsked = true;
        } r;
        int questions = 0;
        sub->OnPopup = [&](TZmCustomItem*, bool) {
            if (questions++ > 0)
                return; // one question, however often the submenu opens
            QMessageBox box(QMessageBox::Question, QStringLiteral("Question"),
                            QStringLiteral("Go on?"), QMessageBox::Yes | QMessageBox::No, m_owner);
            box.setDefaultButton(QMessageBox::Yes);
            r.answer = box.exec();
        };
        QObject context;
        // Enter while the box is up; it counts only once the box gets it.
        auto* answer = new QTimer(&context);
        connect(answer, &QTimer::timeout, &context, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                r.grabbedWhileAsked = QWidget::mouseGrabber() || QWidget::keyboardGrabber();
                r.popupsWhileAsked = int(VisiblePopups().size());
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        answer->start(20);
        WhenOpen(&context, [](TZmView* view) { Type(view, 'm'); }); // opens the submenu
        m_menu->Popup(QPoint(50, 50));
        QCOMPARE(r.answer, int(QMessageBox::Yes));
        QVERIFY(!r.grabbedWhileAsked);
        QCOMPARE(r.popupsWhileAsked, 0);
        QVERIFY(VisiblePopups().isEmpty());
    }

    void mouseClickRunsTheItemAfterwards()
    {
        TZmRootItem* root = m_menu->Items();
        Item(m_owner, root, QStringLiteral("One"));
        TZmItem* two = Item(m_owner, root, QStringLiteral("Two"));
        TZmItem* off = Item(m_owner, root, QStringLiteral("Off"));
        off->SetEnabled(false);
        int clicks = 0;
        two->OnClick = [&](QObject*) {
            clicks += VisiblePopups().isEmpty() ? 1 : 100;
        };
        off->OnClick = [&](QObject*) {
            clicks += 1000;
        };
        bool openAfterDisabledClick = false;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            TZmPopupWindow* w = view->Window();
            // A click on a disabled item does nothing.
            QTest::mouseMove(w, ItemPos(view, QStringLiteral("Off")));
            QTest::mouseClick(w, Qt::LeftButton, {}, ItemPos(view, QStringLiteral("Off")));
            openAfterDisabledClick = MenuRunning();
            QTest::mouseMove(w, ItemPos(view, QStringLiteral("Two")));
            QTest::mouseClick(w, Qt::LeftButton, {}, ItemPos(view, QStringLiteral("Two")));
        });
        m_menu->Popup(QPoint(50, 50));
        QVERIFY(openAfterDisabledClick);
        QTRY_COMPARE(clicks, 1);
    }

    void firstReleaseAfterRightButtonPopupIsIgnored()
    {
        Item(m_owner, m_menu->Items(), QStringLiteral("Item"));
        bool openAfterFirst = false, openAfterSecond = true;
        QObject context;
        WhenOpen(&context, [&](TZmView*) {
            // Releases outside the menu, over the owner window.
            QTest::mouseRelease(m_owner, Qt::RightButton, {}, QPoint(300, 250));
            openAfterFirst = MenuRunning();
            QTest::mouseRelease(m_owner, Qt::RightButton, {}, QPoint(300, 250));
            openAfterSecond = MenuRunning();
        });
        m_menu->Popup(QPoint(200, 150));
        QVERIFY(openAfterFirst);
        QVERIFY(!openAfterSecond);
        // Outside releases are the menu's, not the window's.
        QCOMPARE(m_owner->Presses, 0);
    }

    void pressOutsideClosesAndReachesTheWindowBelow()
    {
        TZmItem* item = Item(m_owner, m_menu->Items(), QStringLiteral("Item"));
        int clicks = 0;
        item->OnClick = [&](QObject*) {
            ++clicks;
        };
        TOwner other;
        other.setGeometry(500, 50, 200, 200);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        int pressesWhileOpen = -1;
        QObject context;
        WhenOpen(&context, [&](TZmView*) {
            QTest::mousePress(&other, Qt::LeftButton, {}, QPoint(20, 20));
            pressesWhileOpen = other.Presses;
        });
        m_menu->Popup(QPoint(50, 50));
        QVERIFY(VisiblePopups().isEmpty());
        QCOMPARE(pressesWhileOpen, 0);  // held back while the menu is open
        QTRY_COMPARE(other.Presses, 1); // then delivered, once
        QCOMPARE(clicks, 0);
        // The button comes up as real input does, through the window.
        QTest::mouseRelease(other.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(QGuiApplication::mouseButtons(), Qt::NoButton);
    }

    void onPopupRunsBeforeTheMenuShowsAndSetsChecks()
    {
        TZmItem* captions = Item(m_owner, m_menu->Items(), QStringLiteral("Show Captions"));
        Item(m_owner, m_menu->Items(), QStringLiteral("Large Icons"));
        int popupsDuringOnPopup = -1;
        m_menu->OnPopup = [&](QObject* sender) {
            QCOMPARE(sender, m_menu);
            popupsDuringOnPopup = int(VisiblePopups().size());
            captions->SetChecked(true);
        };
        // The mark's pixels, relative to its anchor: checked content sits
        // one pixel right and down, the mark two left of the column's
        // centre and one below.
        const auto markPixels = [](const QImage& shot, const QRect& column, TColor colour) {
            const QPoint at = column.topLeft() + QPoint(1, 1) +
                              QPoint(column.width() / 2, column.height() / 2) + QPoint(-2, 1);
            QList<QPoint> out;
            for (int y = column.top() + 1; y < column.bottom(); ++y)
                for (int x = column.left() + 1; x < column.right(); ++x)
                    if (QColor(shot.pixel(x, y)) == ZmDraw::Color(colour))
                        out << QPoint(x, y) - at;
            return out;
        };
        QList<QPoint> mark, highlight;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            const TZmItemViewer* v = ViewerCalled(view, QStringLiteral("Show Captions"));
            QRect column = view->ViewerRect(v).translated(view->pos());
            column.setWidth(v->ColumnWidth());
            mark = markPixels(view->Window()->grab().toImage(), column, clr::BtnText);
            // Selected, the column is plain face colour: the highlight shows.
            Key(view, Qt::Key_Down);
            highlight = markPixels(view->Window()->grab().toImage(), column, clr::BtnHighlight);
            Key(view, Qt::Key_Escape);
        });
        m_menu->Popup(QPoint(50, 50));
        QCOMPARE(popupsDuringOnPopup, 0);
        // Each polyline stops short of its last point. Pairs of x and y,
        // row by row as the pixels were collected.
        const auto points = [](std::initializer_list<int> xy) {
            QList<QPoint> out;
            for (const int* i = xy.begin(); i != xy.end(); i += 2)
                out << QPoint(i[0], i[1]);
            return out;
        };
        QCOMPARE(mark, points({4,  -4, 3, -3, 4, -3, -2, -2, 2, -2, 3, -2, -2, -1,
                               -1, -1, 1, -1, 2, -1, -1, 0,  0, 0,  1, 0,  0,  1}));
        QCOMPARE(highlight, points({5,  -4, 5, -3, -3, -2, 4, -2, -3, -1, 3,
                                    -1, -2, 0, 2,  0,  -1, 1, 1,  1,  0,  2}));
    }

    void drawsSelectionSeparatorAndFrame()
    {
        TZmRootItem* root = m_menu->Items();
        Item(m_owner, root, QStringLiteral("Selected"));
        Separator(m_owner, root);
        TZmItem* off = Item(m_owner, root, QStringLiteral("Disabled"));
        off->SetEnabled(false);
        TZmItem* cut = Item(m_owner, root, QStringLiteral("Cut"));
        cut->SetShortCut(QKeySequence(Qt::CTRL | Qt::Key_X));
        QImage flat, classic;
        QRect selected, separator;
        QColor classicHighlight, classicShadow, classicFace;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            Key(view, Qt::Key_Down);
            flat = view->Window()->grab().toImage();
            selected = view->ViewerRect(view->Selected()).translated(view->pos());
            separator = view->ViewerRect(view->Viewer(1)).translated(view->pos());
            Key(view, Qt::Key_Escape);
        });
        m_menu->Popup(QPoint(50, 50));

        const QColor face = ZmDraw::Color(clr::Menu);
        const QColor shadow = ZmDraw::Color(clr::BtnShadow);
        // Flat frame: a shadow line, then the face.
        QCOMPARE(QColor(flat.pixel(0, 0)), shadow);
        QCOMPARE(QColor(flat.pixel(flat.width() - 1, 10)), shadow);
        QCOMPARE(QColor(flat.pixel(1, 10)), face);
        QCOMPARE(QColor(flat.pixel(2, 10)), face);
        // The selection fills the item (no image column here).
        QCOMPARE(QColor(flat.pixel(selected.left() + 1, selected.top() + 1)),
                 ZmDraw::Color(clr::MenuHighlight));
        QCOMPARE(QColor(flat.pixel(selected.right() - 1, selected.bottom() - 1)),
                 ZmDraw::Color(clr::MenuHighlight));
        // The etched separator, inset by 12 pixels.
        const int y = separator.top() + separator.height() / 2 - 1;
        QCOMPARE(QColor(flat.pixel(separator.left() + 20, y)), shadow);
        QCOMPARE(QColor(flat.pixel(separator.left() + 20, y + 1)),
                 ZmDraw::Color(clr::BtnHighlight));
        QCOMPARE(QColor(flat.pixel(separator.left() + 5, y)), face);

        // The classic style's menus have a raised 3-D frame.
        QApplication::setStyle(new TDelayStyle(QStyleFactory::create(QStringLiteral("Windows"))));
        QVERIFY(!ZmPlatform::FlatMenus());
        WhenOpen(&context, [&](TZmView* view) {
            classic = view->Window()->grab().toImage();
            classicHighlight = ZmDraw::Color(clr::BtnHighlight);
            classicShadow = ZmDraw::Color(clr::BtnShadow);
            classicFace = ZmDraw::Color(clr::BtnFace);
            Key(view, Qt::Key_Escape);
        });
        m_menu->Popup(QPoint(50, 50));
        QApplication::setStyle(new TDelayStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
        QCOMPARE(QColor(classic.pixel(1, 10)), classicHighlight);
        QCOMPARE(QColor(classic.pixel(classic.width() - 2, 10)), classicShadow);
        QCOMPARE(QColor(classic.pixel(2, 10)), classicFace);
    }

    void tallMenusScroll()
    {
        for (int i = 0; i < 80; ++i)
            Item(m_owner, m_menu->Items(), QStringLiteral("Item %1").arg(i));
        struct {
            bool scrollable = false;
            int heightLimit = 0, windowHeight = 0, offsetAtEnd = 0, offsetAtHome = -1;
            QString atEnd;
            bool scrolledByZone = false;
        } r;
        QObject context;
        WhenOpen(&context, [&](TZmView* root) {
            auto* view = static_cast<TZmPopupView*>(root);
            r.scrollable = view->Scrollable();
            r.heightLimit = view->Window()->screen()->availableGeometry().height();
            r.windowHeight = view->Window()->height();
            Key(view, Qt::Key_End);
            r.atEnd = SelectedCaption(view);
            r.offsetAtEnd = view->ScrollOffset();
            Key(view, Qt::Key_Home);
            r.offsetAtHome = view->ScrollOffset();
            // Resting on the lower zone scrolls down step by step.
            QTest::mouseMove(view->Window(), QPoint(20, view->Window()->height() - 8));
            r.scrolledByZone = QTest::qWaitFor([&] { return view->ScrollOffset() > 40; }, 5000);
            Key(view, Qt::Key_Escape);
        });
        m_menu->Popup(QPoint(50, 50));
        QVERIFY(r.scrollable);
        QCOMPARE(r.windowHeight, r.heightLimit);
        QCOMPARE(r.atEnd, QStringLiteral("Item 79"));
        QVERIFY(r.offsetAtEnd > 0);
        QCOMPARE(r.offsetAtHome, 0);
        QVERIFY(r.scrolledByZone);
    }

    // Live menus near each edge of the work area: the first level stays
    // inside it, and the submenu of its last item opens on the side given.
    void submenusNearTheScreenEdges_data()
    {
        QTest::addColumn<QPointF>("at"); // the popup point, as fractions of the work area
        QTest::addColumn<bool>("wide");  // a submenu wider than the room on either side
        QTest::addColumn<int>("side");
        QTest::newRow("left edge") << QPointF(0, 0.3) << false << int(sdRight);
        QTest::newRow("right edge") << QPointF(1, 0.3) << false << int(sdLeft);
        QTest::newRow("top edge") << QPointF(0.5, 0) << false << int(sdRight);
        QTest::newRow("bottom edge") << QPointF(0.5, 1) << false << int(sdRight);
        QTest::newRow("no room, more on the right")
            << QPointF(0.3, 0.3) << true << int(sdOverFromRight);
        QTest::newRow("no room, more on the left")
            << QPointF(0.7, 0.3) << true << int(sdOverFromLeft);
    }
    void submenusNearTheScreenEdges()
    {
        QFETCH(QPointF, at);
        QFETCH(bool, wide);
        QFETCH(int, side);
        const QRect wa = QGuiApplication::primaryScreen()->availableGeometry();
        Item(m_owner, m_menu->Items(), QStringLiteral("First"));
        auto* sub = new TZmSubmenuItem(m_owner);
        sub->SetCaption(QStringLiteral("More"));
        m_menu->Items()->Add(sub);
        QString caption = QStringLiteral("Inner");
        while (wide &&
               QFontMetrics(ZmPlatform::MenuFont()).horizontalAdvance(caption) < wa.width() * 3 / 4)
            caption += QStringLiteral(" wide");
        for (int i = 0; i < 12; ++i)
            Item(m_owner, sub, caption);
        QRect first, item, submenu;
        bool openedLeft = false;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            Key(view, Qt::Key_End);
            Key(view, Qt::Key_Right);
            first = view->Window()->geometry();
            item = view->ScreenRect(view->Selected());
            if (TZmView* child = view->OpenView()) {
                submenu = child->Window()->geometry();
                openedLeft = child->OpenedLeft();
            }
            Key(view, Qt::Key_Escape);
            Key(view, Qt::Key_Escape);
        });
        const QPoint point(wa.x() + qMin(int(at.x() * wa.width()), wa.width() - 1),
                           wa.y() + qMin(int(at.y() * wa.height()), wa.height() - 1));
        m_menu->Popup(point);
        QVERIFY(wa.contains(first));
        QVERIFY(wa.contains(submenu));
        QCOMPARE(submenu.y(),
                 qBound(wa.y(), item.y() - 3, wa.y() + wa.height() - submenu.height()));
        switch (side) {
        case sdRight:
            QCOMPARE(submenu.x(), item.x() + item.width() - 3);
            break;
        case sdLeft:
            QCOMPARE(submenu.x() + submenu.width(), item.x() + 3);
            break;
        case sdOverFromRight:
            QCOMPARE(submenu.x() + submenu.width(), wa.x() + wa.width());
            break;
        case sdOverFromLeft:
            QCOMPARE(submenu.x(), wa.x());
            break;
        }
        QCOMPARE(openedLeft, side == sdLeft || side == sdOverFromLeft);
    }

    // An open submenu follows its item while the menu scrolls, and closes
    // once the item has scrolled under the upper scroll zone.
    void scrollingMovesThenClosesAnOpenSubmenu()
    {
        for (int i = 0; i < 80; ++i) {
            if (i == 2) {
                auto* sub = new TZmSubmenuItem(m_owner);
                sub->SetCaption(QStringLiteral("More"));
                m_menu->Items()->Add(sub);
                Item(m_owner, sub, QStringLiteral("Inner"));
            }
            Item(m_owner, m_menu->Items(), QStringLiteral("Item %1").arg(i));
        }
        struct {
            bool opened = false, scrolled = false, followed = false, closed = false;
        } r;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            TZmPopupWindow* w = view->Window();
            QTest::mouseMove(w, ItemPos(view, QStringLiteral("More")));
            r.opened = QTest::qWaitFor([&] { return view->OpenView() != nullptr; }, 5000);
            // Resting on the lower zone scrolls one item per step.
            QTest::mouseMove(w, QPoint(20, w->height() - 8));
            r.scrolled = QTest::qWaitFor([&] { return view->ScrollOffset() > 0; }, 5000);
            if (TZmView* child = view->OpenView())
                r.followed = child->Window()->y() == view->ScreenRect(view->OpenViewer()).y() - 3;
            r.closed = QTest::qWaitFor([&] { return view->OpenView() == nullptr; }, 5000);
            Key(view, Qt::Key_Escape);
        });
        m_menu->Popup(QPoint(50, 50));
        QVERIFY(r.opened);
        QVERIFY(r.scrolled);
        QVERIFY(r.followed);
        QVERIFY(r.closed);
    }

    // Key presses in the owner's window reach the items' shortcuts before
    // the focused control; a key no enabled item takes goes on to it.
    void shortcutsOfTheOwnersWindow()
    {
        auto* control = new TKeySink(m_owner);
        control->show();
        control->setFocus();
        auto* sub = new TZmSubmenuItem(m_owner);
        sub->SetCaption(QStringLiteral("More"));
        m_menu->Items()->Add(sub);
        TZmItem* kill = Item(m_owner, sub, QStringLiteral("Kill"));
        kill->SetShortCut(QKeySequence(Qt::CTRL | Qt::Key_K));
        int kills = 0;
        kill->OnClick = [&](QObject*) {
            ++kills;
        };
        QWindow* window = m_owner->windowHandle();
        QTest::keyClick(window, Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(window, Qt::Key_X);
        QCOMPARE(kills, 1);
        QCOMPARE(control->Keys, QList<int>{Qt::Key_X}); // Ctrl+K went no further
        // A disabled item takes no key.
        kill->SetEnabled(false);
        QTest::keyClick(window, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(kills, 1);
        QCOMPARE(control->Keys, (QList<int>{Qt::Key_X, Qt::Key_K}));
    }

    void columnsOfImageOnlyItemsRightAligned()
    {
        TImageList pictures(21, 21);
        QImage cell(21, 21, QImage::Format_ARGB32);
        cell.fill(Qt::darkGreen);
        for (int i = 0; i < 12; ++i)
            pictures.AddImage(cell);
        m_menu->SetImages(&pictures);
        m_menu->SetAlignment(paRight);
        for (int i = 0; i < 12; ++i) {
            auto* item = new TZmItem(m_owner);
            item->SetImageIndex(i);
            item->setObjectName(QString::number(i));
            if (i > 0 && i % 5 == 0)
                item->SetBreak(zmbBarBreak);
            m_menu->Items()->Add(item);
        }
        const auto index = [](const TZmView* view) {
            return view->Selected() ? view->Selected()->Item()->objectName() : QString();
        };
        struct {
            QRect window;
            QList<QRect> cells;
            int bars = 0;
            QStringList seen;
        } r;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            r.window = view->Window()->geometry();
            r.bars = int(view->ColumnBars().size());
            for (TZmItemViewer* v : view->ShownViewers())
                r.cells << v->BoundsRect;
            Key(view, Qt::Key_Down);
            Key(view, Qt::Key_Down); // 1
            Key(view, Qt::Key_Right);
            r.seen << index(view); // 6, beside 1
            Key(view, Qt::Key_Right);
            r.seen << index(view); // 11: the last column is shorter
            Key(view, Qt::Key_Right);
            r.seen << index(view); // no column further right
            Key(view, Qt::Key_Left);
            r.seen << index(view);
            Key(view, Qt::Key_Up);
            Key(view, Qt::Key_Up);
            r.seen << index(view); // up follows the item order across columns
            Key(view, Qt::Key_Escape);
        });
        m_menu->Popup(QPoint(600, 100));
        QCOMPARE(r.window.right() + 1, 600); // right edge at the point
        QCOMPARE(r.bars, 2);
        QCOMPARE(r.cells.size(), 12);
        QCOMPARE(r.cells[0].size(), QSize(24, 24)); // 21 + 3 each way
        QCOMPARE(r.cells[5].topLeft(), QPoint(24 + 6, 0));
        QCOMPARE(r.cells[11].topLeft(), QPoint(2 * (24 + 6), 24));
        QCOMPARE(r.window.size(), QSize(3 * 24 + 2 * 6 + 6, 5 * 24 + 6));
        QCOMPARE(r.seen, (QStringList{"6", "11", "11", "6", "4"}));
    }

    void hintsAndAccessibility()
    {
        TZmRootItem* root = m_menu->Items();
        TZmItem* checked = Item(m_owner, root, QStringLiteral("&Show Captions"));
        checked->SetChecked(true);
        checked->SetHint(QStringLiteral("Captions|Show captions under the toolbar buttons"));
        TZmItem* off = Item(m_owner, root, QStringLiteral("Large Icons"));
        off->SetEnabled(false);
        Separator(m_owner, root);
        auto* sub = new TZmSubmenuItem(m_owner);
        sub->SetCaption(QStringLiteral("More"));
        root->Add(sub);
        Item(m_owner, sub, QStringLiteral("Inner"));
        struct {
            QAccessible::Role menuRole = QAccessible::NoRole;
            int children = 0;
            QString firstName;
            QAccessible::State first, second, more;
            QAccessible::Role separatorRole = QAccessible::NoRole;
            QStringList tipsWhileOpen;
            QString submenuName;
        } r;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            Key(view, Qt::Key_Down);
            QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(view->Window());
            r.menuRole = menu->role();
            r.children = menu->childCount();
            r.firstName = menu->child(0)->text(QAccessible::Name);
            r.first = menu->child(0)->state();
            r.second = menu->child(1)->state();
            r.separatorRole = menu->child(2)->role();
            r.tipsWhileOpen = m_owner->Tips;
            Key(view, Qt::Key_End);
            Key(view, Qt::Key_Right);
            r.more = menu->child(3)->state();
            if (menu->child(3)->childCount() == 1)
                r.submenuName = menu->child(3)->child(0)->text(QAccessible::Name);
            Key(view, Qt::Key_Escape);
            Key(view, Qt::Key_Escape);
        });
        m_menu->Popup(QPoint(50, 50));
        QCOMPARE(r.menuRole, QAccessible::PopupMenu);
        QCOMPARE(r.children, 4);
        QCOMPARE(r.firstName, QStringLiteral("Show Captions"));
        QVERIFY(r.first.checked && r.first.focused && !r.first.disabled);
        QVERIFY(r.second.disabled && !r.second.focused && !r.second.checked);
        QCOMPARE(r.separatorRole, QAccessible::Separator);
        QVERIFY(r.more.hasPopup && r.more.expanded);
        QCOMPARE(r.submenuName, QStringLiteral("More"));
        // The long hint went to the owner while selected, and was cleared.
        QCOMPARE(r.tipsWhileOpen, QStringList{"Show captions under the toolbar buttons"});
        QCOMPARE(m_owner->Tips.last(), QString());
    }

    void itemsChangingWhileOpen()
    {
        TZmRootItem* root = m_menu->Items();
        Item(m_owner, root, QStringLiteral("Keep"));
        TZmItem* goes = Item(m_owner, root, QStringLiteral("Goes"));
        struct {
            int heightBefore = 0, heightAfterAdd = 0, heightAfterDelete = 0;
            int widthBefore = 0, widthAfterCaption = 0;
            QString selectedAfterDelete = QStringLiteral("?");
        } r;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            TZmPopupWindow* w = view->Window();
            r.heightBefore = w->height();
            r.widthBefore = w->width();
            Item(m_owner, root, QStringLiteral("Added"));
            r.heightAfterAdd = w->height();
            Key(view, Qt::Key_Down);
            Key(view, Qt::Key_Down); // "Goes"
            delete goes;
            r.heightAfterDelete = w->height();
            r.selectedAfterDelete = SelectedCaption(view);
            root->Items(0)->SetCaption(QStringLiteral("A much longer caption than before"));
            r.widthAfterCaption = w->width();
            Key(view, Qt::Key_Down);
            Key(view, Qt::Key_Escape);
        });
        m_menu->Popup(QPoint(50, 50));
        QVERIFY(r.heightAfterAdd > r.heightBefore);
        QCOMPARE(r.heightAfterDelete, r.heightBefore);
        QCOMPARE(r.selectedAfterDelete, QString());
        QVERIFY(r.widthAfterCaption > r.widthBefore);
    }

    void linkedSubitemsShowAnotherItemsChildren()
    {
        auto* shared = new TZmSubmenuItem(m_owner); // in no menu itself
        Item(m_owner, shared, QStringLiteral("Shared one"));
        Item(m_owner, shared, QStringLiteral("Shared two"));
        auto* sub = new TZmSubmenuItem(m_owner);
        sub->SetCaption(QStringLiteral("&Linked"));
        sub->SetLinkSubitems(shared);
        m_menu->Items()->Add(sub);
        QStringList log;
        shared->OnPopup = [&](TZmCustomItem* sender, bool fromLink) {
            log << QStringLiteral("shared %1 %2").arg(sender == sub).arg(fromLink);
        };
        sub->OnPopup = [&](TZmCustomItem*, bool fromLink) {
            log << QStringLiteral("own %1").arg(fromLink);
        };
        QStringList shown;
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            Type(view, 'l');
            if (TZmView* child = view->OpenView())
                for (TZmItemViewer* v : child->ShownViewers())
                    shown << v->Item()->Caption();
            Key(view, Qt::Key_Escape);
            Key(view, Qt::Key_Escape);
        });
        m_menu->Popup(QPoint(50, 50));
        QCOMPARE(log, (QStringList{"shared 1 1", "own 0"}));
        QCOMPARE(shown, (QStringList{"Shared one", "Shared two"}));
    }

    void anotherWindowTakingThePointerCancels()
    {
        TZmItem* item = Item(m_owner, m_menu->Items(), QStringLiteral("Item"));
        int clicks = 0;
        item->OnClick = [&](QObject*) {
            ++clicks;
        };
        QObject context;
        WhenOpen(&context, [&](TZmView* view) {
            Key(view, Qt::Key_Down);
            m_owner->grabMouse();
        });
        m_menu->Popup(QPoint(50, 50));
        m_owner->releaseMouse();
        QVERIFY(VisiblePopups().isEmpty());
        QVERIFY(PostedEventsHandled());
        QCOMPARE(clicks, 0);
    }
};

ZENTRO_TEST_MAIN(tst_ZmPopup)
#include "tst_ZmPopup.moc"
