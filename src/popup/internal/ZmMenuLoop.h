#pragma once

#include <QBasicTimer>
#include <QEventLoop>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class QWidget;
class TZmCustomItem;
class TZmPopupWindow;
class TZmView;

// What a menu does once its windows are gone.
struct TZmDoneAction {
    enum TKind { dkNone, dkClickItem, dkHelp };
    TKind Kind = dkNone;
    QPointer<TZmCustomItem> Item;
    int HelpContext = 0;
};

// The loop of an open menu. It holds the pointer and the keyboard on the
// first-level window and sees every input event of the application
// through an application event filter, real and synthesized alike: it
// hot-tracks the pointer, passes presses, releases and keys to the views
// and viewers, and ends on a click, a key, a press outside the menu's
// windows (which then reaches the window under the pointer), or when
// another window takes the pointer.
class TZmMenuLoop : public QObject {
    Q_OBJECT
public:
    TZmMenuLoop(TZmView* rootView, bool trackRightButton, QWidget* hintReceiver);
    ~TZmMenuLoop() override;

    // Runs until the menu ends; returns what is to be done afterwards.
    TZmDoneAction Run();
    bool IsRunning() const { return m_running; }
    // Ends the loop; the first ending counts.
    void End(const TZmDoneAction& action = {});
    void EndWithClick(TZmCustomItem* item);
    // F1: ends with the help of the nearest selected item, innermost level
    // first, that has a HelpContext; false (and nothing) when none has.
    bool EndWithHelp();

    bool IsTracked(Qt::MouseButton button) const;
    bool TrackedButtonHeld() const;

    // Carries out a done action, after the windows are gone: a click is
    // posted (TZmDispatcher) and runs from the ordinary event loop.
    static void CarryOut(const TZmDoneAction& action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // Open views, innermost first.
    QList<TZmView*> Chain() const;
    TZmView* ViewAt(QPoint globalPos) const;
    bool CaptureHeld() const;
    static bool IsModalWindow(const QObject* object);
    void YieldToModal();
    void ReleaseInput();
    void MousePress(const QMouseEvent* event, bool doubleClick);
    void MouseRelease(const QMouseEvent* event);
    void MouseMove(const QMouseEvent* event);
    void Wheel(const QWheelEvent* event);
    void KeyPress(const QKeyEvent* event);
    void Characters(const QString& text);
    void TrackPointer(QPoint globalPos);
    void AfterMessage();
    void ShowHint();
    void Leave();

    QPointer<TZmView> m_root;
    QPointer<TZmPopupWindow> m_window;
    QPointer<QWidget> m_hintReceiver;
    QEventLoop m_eventLoop;
    bool m_running = false;
    bool m_ended = false;
    bool m_trackRight;
    Qt::MouseButtons m_held;
    QPoint m_lastPos;
    TZmDoneAction m_done;
    QString m_hint;
    QBasicTimer m_hintTimer;

    // A press outside the menu, delivered to the window under the pointer
    // once the menu has let go of the pointer.
    struct Replay {
        bool Pending = false;
        QPoint Global;
        Qt::MouseButton Button = Qt::NoButton;
        Qt::MouseButtons Buttons;
        Qt::KeyboardModifiers Modifiers;
    } m_replay;
};
