#pragma once

#include <QDeadlineTimer>
#include <QRegion>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;
class TStayOnTop;
class TSummonKey;

// The app-bar: the application's main window, a borderless always-on-top
// strip cut to a trapezoid at the top of the primary screen. It rolls up
// out of the way and rolls down when the pointer touches it.
class TfAppBar : public QWidget {
    Q_OBJECT
public:
    explicit TfAppBar(QWidget* parent = nullptr);
    ~TfAppBar() override;

    QToolButton* sbFull;
    QToolButton* sbMessenger;
    QLabel* Label1;
    QLabel* Label2;
    QTimer* tRoll;

    QMenu* pmMenu;
    QAction* OpeninFullMode1;
    QAction* OpeninMessengerMode1;
    QAction* N1;
    QMenu* Sendemailto1;
    QAction* Contact11;
    QAction* Contact21;
    QAction* N2;
    QAction* ContactN1;
    QMenu* Chatwith1;
    QAction* Contact12;
    QAction* Contact22;
    QAction* N3;
    QAction* ContactN2;
    QAction* N4;
    QAction* OfflineContactK11;
    QAction* N5;
    QAction* OfflineContactN1;
    QAction* N6;
    QAction* Exit1;

    // The trapezoid in window coordinates: hit-test area, painted outline
    // and source of the window shape.
    QRegion BarRegion;
    // The top of the primary screen, which the roll is relative to.
    int ScreenTop = 0;
    TStayOnTop* StayOnTop = nullptr;
    // Ctrl+Alt+Z from anywhere on the desktop: Summon.
    TSummonKey* SummonKey = nullptr;

    bool IsPointOnBar(const QPoint& screenPoint) const;
    // Whether the pointer is on the bar as the window system reports it for
    // the bar's own window: on X11 the window under the pointer must be the
    // bar, since XWayland keeps the last position once the pointer is over
    // another client's surface.
    // The pointer's position goes to *where (in the window system's own
    // pixels) when asked for.
    bool PointerOnBar(QPoint* where = nullptr) const;

    void FormCreate();
    // Top centre of the primary screen, keeping the roll state; runs again
    // whenever screens come, go or change.
    void PlaceOnPrimaryScreen();
    void tRollTimer();
    // The pointer entered or left the trapezoid (the window's shape): the
    // roll timer, stopped while the bar rests, runs again.
    void FormMouseEnter();
    void FormMouseLeave();
    // Brings the bar down as if the pointer had touched it and keeps it
    // there for a moment, so that the user sees it (a later start of the
    // program hands over to this one); then the usual roll rules apply.
    void RollDown();
    // Brings the bar down and gives it the keyboard focus, its first
    // button marked; it keeps the focus until Escape (which hands it back
    // to the window that had it) or until another window takes it.
    void Summon();
    bool Summoned() const { return m_summoned; }
    void sbFullClick();
    void sbMessengerClick();
    void ContactN1Click(QAction* sender);
    void Exit1Click();

signals:
    // Emitted once, after the first paint reached the window (benchmarks).
    void FirstPainted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormPaint(QPainter& canvas);
    void BuildMenu();
    void FollowScreenChanges();
    // Moves the bar to a top in screen coordinates, its shape cut to its
    // monitor where another monitor lies above: the shape that fits both
    // tops first, so that no step shows on the neighbour.
    void MoveTo(int top);
    QRegion ShapeAt(int top) const;
    // Counts a move made while the pointer stays still; false, and the roll
    // stopped, once there were more than any roll and placement need: the
    // bar is being put back each time it moves (a window manager, a screen
    // layout) and would fight forever. The pointer moving ends the guard.
    bool MayMove();
    void PointerMoved();
    // Starts the roll timer unless it runs.
    void WakeRoll();
    // Back to a bar that takes no focus; giveBack returns the focus to the
    // window that had it before Summon.
    void Dismiss(bool giveBack);
    // True while the program holds the pointer (a popup, a grab, a pressed
    // button): the window system then tells the bar nothing of the pointer
    // entering it, so only the timer can see it.
    static bool PointerHeldElsewhere();
    bool m_painted = false;
    bool m_summoned = false;
    QDeadlineTimer m_heldDown;     // expired unless RollDown holds the bar
    bool m_monitorAbove = false;   // another monitor borders on the top edge
    int m_stillMoves = 0;          // moves since the pointer last moved
    bool m_placeWhenMoved = false; // a placement the guard held back
    QPoint m_pointerAt;
};
