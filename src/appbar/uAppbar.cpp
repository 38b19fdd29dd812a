#include "appbar/uAppbar.h"

#include "app/Application.h"
#include "app/uUtils.h"
#include "appbar/AppBarGeometry.h"
#include "appbar/CaptionLabel.h"
#include "appbar/StayOnTop.h"
#include "appbar/SummonKey.h"
#include "base/TColor.h"
#include "base/WindowLook.h"
#include "contacts/uMessenger.h"
#include "main/uMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMoveEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <QtMath>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

namespace {

// How long a bar brought down by RollDown stays when the pointer is away.
constexpr int RollDownHoldMs = 2000;
// Moves the bar makes with the pointer still: a placement and two rolls
// take fewer than 15; more than this is a fight with whoever puts it back.
constexpr int StillMovesAllowed = 40;

QToolButton* FlatButton(QWidget* parent, const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setAutoRaise(true);
    // Reached by the keyboard once the bar is summoned; a click never
    // takes the focus from the window the user works in.
    b->setFocusPolicy(Qt::TabFocus);
    b->setToolTip(hint);
    // The button shows no text: its hint names it to a screen reader.
    b->setAccessibleName(hint);
    b->resize(23, 22);
    return b;
}

} // namespace

// The bar bypasses the window manager: managers clamp a window that sits
// above the screen's top, place it themselves (XWayland's manager) or give
// it the focus when clicked. TStayOnTop keeps it above managed windows.
TfAppBar::TfAppBar(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus)
{
    setWindowTitle(QStringLiteral("Zentro AppBar"));
    // The bar is rarely the active window; its buttons' hints show anyway,
    // after the application's hint delay.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    SetWindowLook(this);
    // Where a compositor ignores the window's shape (XWayland's surfaces),
    // the pixels outside the trapezoid are see-through; FormPaint fills it.
    setAttribute(Qt::WA_TranslucentBackground);

    sbFull = FlatButton(this, QStringLiteral("Full Mode"));
    sbMessenger = FlatButton(this, QStringLiteral("Messenger Mode"));
    connect(sbFull, &QToolButton::clicked, this, &TfAppBar::sbFullClick);
    connect(sbMessenger, &QToolButton::clicked, this, &TfAppBar::sbMessengerClick);

    Label1 = new TCaptionLabel(QStringLiteral("You have 13 new e-mails"), QStringLiteral("Arial"),
                               13, true, this);
    Label1->move(28, 4);
    Label1->adjustSize();
    Label2 = new TCaptionLabel(QStringLiteral("Online Contacts: 4 of 8"), QStringLiteral("Arial"),
                               13, true, this);
    Label2->move(220, 4);
    Label2->adjustSize();

    BuildMenu();

    tRoll = new QTimer(this);
    tRoll->setInterval(10);
    tRoll->setTimerType(Qt::PreciseTimer);
    connect(tRoll, &QTimer::timeout, this, &TfAppBar::tRollTimer);

    FormCreate();
    FollowScreenChanges();
    tRoll->start();
    show();
    StayOnTop = new TStayOnTop(this);
    SummonKey = new TSummonKey(this);
    connect(SummonKey, &TSummonKey::Pressed, this, &TfAppBar::Summon);
    // Stay above the program's other windows also where no window manager
    // enforces the always-on-top hint.
    qApp->installEventFilter(this);
}

TfAppBar::~TfAppBar()
{
    // FormDestroy: the region is a value; nothing else to release.
    if (fAppBar == this)
        fAppBar = nullptr;
}

bool TfAppBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched != this && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        const Qt::WindowType type = w->windowType();
        if (w->isWindow() && type != Qt::Popup && type != Qt::ToolTip)
            QTimer::singleShot(0, this, [this] { raise(); });
        // A popup or a menu of ours may take the pointer: watch it meanwhile.
        if (w->isWindow())
            WakeRoll();
    } else if (event->type() == QEvent::MouseButtonPress) {
        // A pressed button keeps the pointer's events with its window.
        WakeRoll();
    } else if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) &&
               (watched == sbFull || watched == sbMessenger)) {
        update(); // the focus mark
    }
    return QWidget::eventFilter(watched, event);
}

void TfAppBar::enterEvent(QEnterEvent* event)
{
    FormMouseEnter();
    QWidget::enterEvent(event);
}

void TfAppBar::leaveEvent(QEvent* event)
{
    FormMouseLeave();
    QWidget::leaveEvent(event);
}

void TfAppBar::moveEvent(QMoveEvent* event)
{
    // Placed anew from outside (the window manager, a screen change): roll
    // from there.
    WakeRoll();
    QWidget::moveEvent(event);
}

void TfAppBar::FormMouseEnter()
{
    PointerMoved();
    WakeRoll();
}

void TfAppBar::FormMouseLeave()
{
    PointerMoved();
    WakeRoll();
}

bool TfAppBar::MayMove()
{
    if (++m_stillMoves <= StillMovesAllowed)
        return true;
    tRoll->stop();
    return false;
}

void TfAppBar::PointerMoved()
{
    m_stillMoves = 0;
    if (std::exchange(m_placeWhenMoved, false))
        PlaceOnPrimaryScreen();
}

void TfAppBar::WakeRoll()
{
    if (!tRoll->isActive())
        tRoll->start();
}

bool TfAppBar::PointerHeldElsewhere()
{
    return QApplication::activePopupWidget() || QWidget::mouseGrabber() ||
           QGuiApplication::mouseButtons() != Qt::NoButton;
}

void TfAppBar::BuildMenu()
{
    pmMenu = new QMenu(this);
    OpeninFullMode1 = pmMenu->addAction(QStringLiteral("Open in Full Mode"));
    connect(OpeninFullMode1, &QAction::triggered, this, &TfAppBar::sbFullClick);
    OpeninMessengerMode1 = pmMenu->addAction(QStringLiteral("Open in Messenger Mode"));
    connect(OpeninMessengerMode1, &QAction::triggered, this, &TfAppBar::sbMessengerClick);
    N1 = pmMenu->addSeparator();

    Sendemailto1 = pmMenu->addMenu(QStringLiteral("Send e-mail to"));
    const auto contactItem = [this](const QString& caption) {
        QAction* a = Sendemailto1->addAction(caption);
        connect(a, &QAction::triggered, this, [this, a] { ContactN1Click(a); });
        return a;
    };
    Contact11 = contactItem(QStringLiteral("Contact 1"));
    Contact21 = contactItem(QStringLiteral("Contact 2"));
    N2 = Sendemailto1->addAction(QStringLiteral("..."));
    ContactN1 = contactItem(QStringLiteral("Contact N"));

    Chatwith1 = pmMenu->addMenu(QStringLiteral("Chat with"));
    Contact12 = Chatwith1->addAction(QStringLiteral("Online Contact 1"));
    Contact22 = Chatwith1->addAction(QStringLiteral("OnlineContact 2"));
    N3 = Chatwith1->addAction(QStringLiteral("..."));
    ContactN2 = Chatwith1->addAction(QStringLiteral("Online Contact K"));
    N4 = Chatwith1->addSeparator();
    OfflineContactK11 = Chatwith1->addAction(QStringLiteral("Offline Contact K+1"));
    N5 = Chatwith1->addAction(QStringLiteral("..."));
    OfflineContactN1 = Chatwith1->addAction(QStringLiteral("Offline Contact N"));

    N6 = pmMenu->addSeparator();
    Exit1 = pmMenu->addAction(QStringLiteral("Exit"));
    connect(Exit1, &QAction::triggered, this, &TfAppBar::Exit1Click);
}

void TfAppBar::FormCreate()
{
    // Bypassing the window manager keeps the bar out of taskbars and
    // pagers; Qt has no hidden application window that would need the same.
    resize(AppBarWidth, AppBarHeight);
    sbFull->move(0, 0);
    sbMessenger->move(width() - sbMessenger->width(), 0);
    BarRegion = BarRegionOf(width(), height());
    // Placing it gives the window its shape: BarRegion, cut to the monitor.
    PlaceOnPrimaryScreen();
}

void TfAppBar::PlaceOnPrimaryScreen()
{
    if (!MayMove()) {
        m_placeWhenMoved = true;
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, AppBarWidth, 0);
    // A bar rolled up stays rolled up on its new screen.
    const int rolled = qBound(RollTarget(false, height()), y() - ScreenTop, 0);
    ScreenTop = area.top();
    const int left = area.left() + AppBarLeft(area.width(), width());
    const QRect above(left, ScreenTop - height(), width(), height());
    const auto screens = QGuiApplication::screens();
    m_monitorAbove = std::any_of(screens.begin(), screens.end(), [&](const QScreen* s) {
        return s != screen && s->geometry().intersects(above);
    });
    move(left, y());
    MoveTo(ScreenTop + rolled);
}

QRegion TfAppBar::ShapeAt(int top) const
{
    return m_monitorAbove ? RegionOnMonitor(BarRegion, top, ScreenTop) : BarRegion;
}

void TfAppBar::MoveTo(int top)
{
    const QRegion both = ShapeAt(y()).intersected(ShapeAt(top));
    if (mask() != both)
        setMask(both);
    move(x(), top);
    if (mask() != ShapeAt(top))
        setMask(ShapeAt(top));
}

void TfAppBar::FollowScreenChanges()
{
    const auto follow = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, &TfAppBar::PlaceOnPrimaryScreen);
    };
    const auto screens = QGuiApplication::screens();
    for (QScreen* screen : screens)
        follow(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this, follow](QScreen* screen) {
        follow(screen);
        PlaceOnPrimaryScreen();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, &TfAppBar::PlaceOnPrimaryScreen,
            Qt::QueuedConnection);
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, &TfAppBar::PlaceOnPrimaryScreen);
}

bool TfAppBar::IsPointOnBar(const QPoint& screenPoint) const
{
    return PointOnBar(BarRegion, pos(), screenPoint);
}

bool TfAppBar::PointerOnBar(QPoint* where) const
{
    // The offscreen platform answers for X11 too, without a connection.
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || !testAttribute(Qt::WA_WState_Created)) {
        const QPoint p = QCursor::pos();
        if (where)
            *where = p;
        return IsPointOnBar(p);
    }
    const auto own = static_cast<xcb_window_t>(winId());
    const std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> onBar(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, own), nullptr), &std::free);
    if (!onBar || !onBar->same_screen)
        return false;
    if (where)
        *where = QPoint(onBar->root_x, onBar->root_y);
    const std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> onRoot(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, onBar->root), nullptr), &std::free);
    // Another window over the bar, or none of this display's windows (the
    // pointer is on a Wayland surface): not on the bar. Unless the pointer
    // has entered the bar's shape and not left it: XWayland's stacking may
    // put a window the compositor shows under the bar above it.
    if (!onRoot || onRoot->child != own)
        return underMouse();
    const qreal ratio = devicePixelRatioF();
    const QPoint local(qFloor(onBar->win_x / ratio), qFloor(onBar->win_y / ratio));
    return IsPointOnBar(mapToGlobal(local));
}

void TfAppBar::tRollTimer()
{
    QPoint pointer = m_pointerAt;
    const bool down = PointerOnBar(&pointer) || !m_heldDown.hasExpired() || m_summoned;
    if (pointer != m_pointerAt) {
        m_pointerAt = pointer;
        PointerMoved();
    }
    const int target = RollTarget(down, height());
    const int top = y() - ScreenTop;
    if (top != target) {
        if (MayMove())
            MoveTo(ScreenTop + RollStep(top, target));
        return;
    }
    // At rest: nothing can change until the pointer enters or leaves the
    // shape, and the window system reports both; nor while RollDown holds
    // the bar: the roll wakes when the hold ends. (A coarse timer for that
    // may fire a little early, and the bar then stayed down for good.)
    if (PointerHeldElsewhere())
        return;
    tRoll->stop();
    if (!m_heldDown.hasExpired())
        QTimer::singleShot(m_heldDown.remainingTime() + 1, Qt::PreciseTimer, this,
                           &TfAppBar::WakeRoll);
}

void TfAppBar::RollDown()
{
    PointerMoved(); // asked for: as good as the pointer touching it
    // The roll comes to rest down, and from there wakes when the hold ends.
    m_heldDown.setRemainingTime(RollDownHoldMs);
    raise();
    WakeRoll();
}

void TfAppBar::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    FormPaint(canvas);
    if (!m_painted) {
        m_painted = true;
        emit FirstPainted();
    }
}

void TfAppBar::FormPaint(QPainter& canvas)
{
    canvas.setRenderHint(QPainter::Antialiasing, false);
    for (const QRect& r : BarRegion)
        canvas.fillRect(r, palette().color(backgroundRole()));
    // Grey boxes under the flat buttons, outlined with the 1-pixel black pen;
    // the outline lies inside the bounds, right and bottom exclusive.
    canvas.setPen(QPen(Qt::black, 1));
    for (const QToolButton* b : {sbFull, sbMessenger}) {
        const QRect r = b->geometry();
        // The keyboard's mark: the focused button's box in the highlight.
        canvas.setBrush(b->hasFocus() ? palette().color(QPalette::Highlight)
                                      : clr::Gray.ToQColor());
        canvas.drawRect(r.left(), r.top(), r.width() - 1, r.height() - 1);
    }
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(Qt::NoBrush);
    canvas.setClipRegion(BarRegion);
    for (const QRect& r : FrameOfRegion(BarRegion, 2, 2))
        canvas.fillRect(r, Qt::black);
    for (const QRect& r : FrameOfRegion(BarRegion, 1, 1))
        canvas.fillRect(r, Qt::white);
}

void TfAppBar::contextMenuEvent(QContextMenuEvent* event)
{
    // From the keyboard: under the focused button.
    const QWidget* at = event->reason() == QContextMenuEvent::Keyboard ? focusWidget() : nullptr;
    pmMenu->popup(at ? at->mapToGlobal(QPoint(0, at->height())) : event->globalPos());
}

void TfAppBar::keyPressEvent(QKeyEvent* event)
{
    auto* button = qobject_cast<QToolButton*>(focusWidget());
    switch (event->key()) {
    case Qt::Key_Escape:
        Dismiss(true);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (button)
            button->animateClick();
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void TfAppBar::changeEvent(QEvent* event)
{
    // Another window took the focus (a mode the bar opened, a click
    // elsewhere); the bar's own menu leaves it summoned.
    if (event->type() == QEvent::ActivationChange && m_summoned && !isActiveWindow() &&
        !QApplication::activePopupWidget())
        Dismiss(false);
    QWidget::changeEvent(event);
}

void TfAppBar::Summon()
{
    if (!isVisible())
        return;
    m_summoned = true;
    // The bar takes no focus of its own accord (a click on it must leave
    // the user's window active); summoned, it must.
    overrideWindowFlags(windowFlags() & ~Qt::WindowDoesNotAcceptFocus);
    windowHandle()->setFlag(Qt::WindowDoesNotAcceptFocus, false);
    setAttribute(Qt::WA_KeyboardFocusChange);
    if (!focusWidget())
        sbFull->setFocus(Qt::ShortcutFocusReason);
    raise();
    if (!SummonKey->TakeFocus(this))
        activateWindow();
    update();
    WakeRoll();
}

void TfAppBar::Dismiss(bool giveBack)
{
    if (!m_summoned)
        return;
    m_summoned = false;
    if (giveBack)
        SummonKey->GiveFocusBack(this);
    if (QWidget* w = focusWidget())
        w->clearFocus();
    overrideWindowFlags(windowFlags() | Qt::WindowDoesNotAcceptFocus);
    windowHandle()->setFlag(Qt::WindowDoesNotAcceptFocus, true);
    update();
    WakeRoll();
}

void TfAppBar::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program; the remaining windows are
    // destroyed after the event loop. Not quit(): it would close every
    // window first, and a Full Mode window still open at the end must be
    // destroyed as the program ends (it keeps its toolbar layout then).
    event->accept();
    QCoreApplication::exit(0);
}

void TfAppBar::sbFullClick()
{
    if (fMessenger)
        fMessenger->close();
    if (!fMain) {
        fMain = new TfMain();
    } else {
        ShowInFront(fMain);
    }
}

void TfAppBar::sbMessengerClick()
{
    if (fMain)
        fMain->close();
    if (!fMessenger) {
        fMessenger = new TfMessenger();
    } else {
        ShowInFront(fMessenger);
    }
}

void TfAppBar::ContactN1Click(QAction* sender)
{
    OpenComposer(QString(), sender->text(), QString(), QString());
}

void TfAppBar::Exit1Click()
{
    close();
}
