#include "popup/internal/ZmMenuLoop.h"

#include "popup/ZmCustomItem.h"
#include "popup/ZmPlatform.h"
#include "popup/internal/ZmDispatcher.h"
#include "popup/internal/ZmItemViewer.h"
#include "popup/internal/ZmPopupWindow.h"
#include "popup/internal/ZmView.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QTimerEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

TZmMenuLoop::TZmMenuLoop(TZmView* rootView, bool trackRightButton, QWidget* hintReceiver)
    : m_root(rootView), m_window(rootView->Window()),
      m_hintReceiver(hintReceiver ? hintReceiver : QApplication::activeWindow()),
      m_trackRight(trackRightButton)
{
}

TZmMenuLoop::~TZmMenuLoop() = default;

TZmDoneAction TZmMenuLoop::Run()
{
    // Enter: the first-level window holds the pointer and the keyboard.
    m_root->SetLoop(this);
    m_root->SetModal(true);
    m_window->grabMouse();
    m_window->grabKeyboard();
    m_lastPos = QCursor::pos();
    m_held = QGuiApplication::mouseButtons();
    m_running = true;
    if (TZmCustomItem* item = m_root->Item())
        connect(item, &QObject::destroyed, this, [this] { End(); });
    connect(m_window, &QObject::destroyed, this, [this] { End(); });
    qApp->installEventFilter(this);
    if (!m_ended)
        m_eventLoop.exec();
    Leave();
    return m_done;
}

void TZmMenuLoop::End(const TZmDoneAction& action)
{
    if (m_ended)
        return;
    m_ended = true;
    m_running = false;
    m_done = action;
    m_eventLoop.exit();
}

void TZmMenuLoop::EndWithClick(TZmCustomItem* item)
{
    TZmDoneAction action;
    action.Kind = TZmDoneAction::dkClickItem;
    action.Item = item;
    End(action);
}

bool TZmMenuLoop::EndWithHelp()
{
    const QList<TZmView*> views = Chain();
    for (TZmView* view : views) {
        const TZmItemViewer* selected = view->Selected();
        TZmCustomItem* item = selected ? selected->Item() : nullptr;
        if (item && item->HelpContext() != 0) {
            TZmDoneAction action;
            action.Kind = TZmDoneAction::dkHelp;
            action.Item = item;
            action.HelpContext = item->HelpContext();
            End(action);
            return true;
        }
    }
    return false;
}

bool TZmMenuLoop::IsTracked(Qt::MouseButton button) const
{
    return button == Qt::LeftButton || (button == Qt::RightButton && m_trackRight);
}

bool TZmMenuLoop::TrackedButtonHeld() const
{
    return (m_held & Qt::LeftButton) || (m_trackRight && (m_held & Qt::RightButton));
}

void TZmMenuLoop::CarryOut(const TZmDoneAction& action)
{
    switch (action.Kind) {
    case TZmDoneAction::dkNone:
        break;
    case TZmDoneAction::dkClickItem:
        if (action.Item) {
            ZmPlatform::PlayEventSound(ZmPlatform::esMenuCommand);
            TZmDispatcher::PostClick(action.Item);
        }
        break;
    case TZmDoneAction::dkHelp:
        ZmPlatform::ShowHelp(action.HelpContext);
        break;
    }
}

QList<TZmView*> TZmMenuLoop::Chain() const
{
    QList<TZmView*> views;
    for (TZmView* v = m_root; v; v = v->OpenView())
        views.prepend(v);
    return views;
}

TZmView* TZmMenuLoop::ViewAt(QPoint globalPos) const
{
    const QList<TZmView*> views = Chain();
    for (TZmView* view : views)
        if (view->Window()->isVisible() && view->Window()->geometry().contains(globalPos))
            return view;
    return nullptr;
}

bool TZmMenuLoop::CaptureHeld() const
{
    return m_window && m_window->isVisible() && QWidget::mouseGrabber() == m_window &&
           !QApplication::activePopupWidget();
}

bool TZmMenuLoop::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_running)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Show && IsModalWindow(watched)) {
        YieldToModal();
        return QObject::eventFilter(watched, event);
    }
    if (!CaptureHeld()) {
        // Another window took the pointer: the menu is cancelled.
        End();
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseMove:
        MouseMove(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonPress:
        MousePress(static_cast<QMouseEvent*>(event), false);
        break;
    case QEvent::MouseButtonDblClick:
        MousePress(static_cast<QMouseEvent*>(event), true);
        break;
    case QEvent::MouseButtonRelease:
        MouseRelease(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::Wheel:
        Wheel(static_cast<QWheelEvent*>(event));
        break;
    case QEvent::KeyPress:
        KeyPress(static_cast<QKeyEvent*>(event));
        break;
    case QEvent::InputMethod:
        // Text from an input method: accelerators as typed characters.
        Characters(static_cast<QInputMethodEvent*>(event)->commitString());
        break;
    case QEvent::ShortcutOverride:
        // No shortcut of the program fires while the menu is open.
        event->accept();
        return true;
    case QEvent::KeyRelease:
    case QEvent::ContextMenu:
        return true;
    case QEvent::ApplicationDeactivate:
        End();
        return QObject::eventFilter(watched, event);
    default:
        return QObject::eventFilter(watched, event);
    }
    AfterMessage();
    return true;
}

bool TZmMenuLoop::IsModalWindow(const QObject* object)
{
    if (const auto* widget = qobject_cast<const QWidget*>(object))
        return widget->isWindow() && widget->isModal();
    if (const auto* window = qobject_cast<const QWindow*>(object))
        return window->modality() != Qt::NonModal;
    return false;
}

void TZmMenuLoop::YieldToModal()
{
    // A handler run by the menu (OnPopup, OnSelect, a submenu's Click)
    // opened a modal window: its loop runs inside this one, so this loop
    // can only return after it. The menu ends now and lets the pointer and
    // the keyboard go, or the window would get no input.
    for (TZmView* view : Chain()) {
        for (int kind = TZmView::tkOpenSubmenu; kind <= TZmView::tkScrollDown; ++kind)
            view->StopTimer(TZmView::TZmTimerKind(kind));
        view->Window()->hide();
    }
    End();
    ReleaseInput();
}

void TZmMenuLoop::ReleaseInput()
{
    m_hintTimer.stop();
    qApp->removeEventFilter(this);
    if (m_window) {
        m_window->releaseKeyboard();
        m_window->releaseMouse();
    }
}

void TZmMenuLoop::MousePress(const QMouseEvent* event, bool doubleClick)
{
    const QPoint global = event->globalPosition().toPoint();
    m_held = event->buttons();
    const Qt::MouseButton button = event->button();
    if ((button == Qt::LeftButton || button == Qt::RightButton) && !ViewAt(global)) {
        // Outside the menu: it closes, and the press goes on to the window
        // under the pointer once the menu has let the pointer go.
        m_replay = {true, global, button, event->buttons(), event->modifiers()};
        End();
        return;
    }
    if (!IsTracked(button))
        return;
    QToolTip::hideText();
    m_hintTimer.stop();
    m_root->SetIgnoreFirstRelease(false);
    TrackPointer(global);
    if (TZmView* view = ViewAt(global))
        if (TZmItemViewer* viewer = view->ViewerAt(view->mapFromGlobal(global)))
            viewer->MouseDown(doubleClick);
}

void TZmMenuLoop::MouseRelease(const QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    m_held = event->buttons();
    if (!IsTracked(event->button()))
        return;
    TrackPointer(global);
    if (TZmView* view = ViewAt(global)) {
        if (TZmItemViewer* viewer = view->ViewerAt(view->mapFromGlobal(global)))
            viewer->MouseUp();
        return;
    }
    // The release of the button that opened the menu is ignored once.
    if (m_root->IgnoreFirstRelease())
        m_root->SetIgnoreFirstRelease(false);
    else
        End();
}

void TZmMenuLoop::MouseMove(const QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    m_held = event->buttons();
    if (global != m_lastPos) {
        m_lastPos = global;
        TrackPointer(global);
        m_hintTimer.start(ZmPlatform::HintDelay(), this);
    }
    if (TZmView* view = ViewAt(global)) {
        const QPoint pos = view->mapFromGlobal(global);
        if (TZmItemViewer* viewer = view->ViewerAt(pos))
            viewer->MouseMove(pos - view->ViewerRect(viewer).topLeft());
    }
}

void TZmMenuLoop::Wheel(const QWheelEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    TZmView* view = ViewAt(global);
    if (!view)
        return;
    const int delta = event->angleDelta().y();
    const int steps = delta / 120 != 0 ? delta / 120 : (delta > 0) - (delta < 0);
    if (TZmItemViewer* viewer = view->ViewerAt(view->mapFromGlobal(global))) {
        viewer->MouseWheel(steps);
        return;
    }
    for (int i = 0; i < qAbs(steps); ++i)
        view->ScrollStep(steps < 0);
}

void TZmMenuLoop::KeyPress(const QKeyEvent* event)
{
    QToolTip::hideText();
    m_hintTimer.stop();
    const int key = event->key();
    if (TrackedButtonHeld() && key != Qt::Key_F1)
        return;
    m_root->SetKeyboardUsed();
    TZmView* view = m_root->InnermostView();
    TZmView::TZmKeyResult result = TZmView::krNotConsumed;
    if (view->Selected() && view->Selected()->KeyDown(const_cast<QKeyEvent*>(event)))
        result = TZmView::krConsumed;
    else
        result = view->KeyDown(key, event->modifiers());
    if (result == TZmView::krCloseLevel) {
        if (TZmView* parent = view->ParentView())
            parent->CloseSubmenu();
        return;
    }
    if (result == TZmView::krNotConsumed)
        Characters(event->text());
}

void TZmMenuLoop::Characters(const QString& text)
{
    if (TrackedButtonHeld())
        return;
    for (const QChar ch : text) {
        if (!m_running)
            return;
        if (ch.isPrint())
            m_root->InnermostView()->CharTyped(ch);
    }
}

void TZmMenuLoop::TrackPointer(QPoint globalPos)
{
    // Innermost first; a view under a deeper one keeps the item whose
    // submenu the pointer is in.
    QList<QPointer<TZmView>> views;
    for (TZmView* v : Chain())
        views.append(v);
    bool overDeeper = false;
    for (const QPointer<TZmView>& view : std::as_const(views)) {
        if (!view || !m_running)
            return;
        view->TrackPointer(globalPos, overDeeper);
        if (view->Window()->isVisible() && view->Window()->geometry().contains(globalPos))
            overDeeper = true;
    }
}

void TZmMenuLoop::AfterMessage()
{
    if (!m_running)
        return;
    // The application hint follows the selection of the innermost level.
    const TZmItemViewer* selected = m_root->InnermostView()->Selected();
    const QString hint = selected && selected->Item() ? selected->Item()->LongHint() : QString();
    if (hint == m_hint)
        return;
    m_hint = hint;
    if (m_hintReceiver) {
        QStatusTipEvent tip(hint);
        QCoreApplication::sendEvent(m_hintReceiver, &tip);
    }
}

void TZmMenuLoop::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_hintTimer.timerId())
        return QObject::timerEvent(event);
    m_hintTimer.stop();
    ShowHint();
}

void TZmMenuLoop::ShowHint()
{
    // The pointer rests: the window under it offers its tooltip.
    TZmView* view = m_running ? ViewAt(m_lastPos) : nullptr;
    if (!view)
        return;
    TZmPopupWindow* window = view->Window();
    QHelpEvent help(QEvent::ToolTip, window->mapFromGlobal(m_lastPos), m_lastPos);
    QCoreApplication::sendEvent(window, &help);
}

void TZmMenuLoop::Leave()
{
    if (m_root) {
        for (TZmView* view : Chain())
            view->PointerLeft();
        m_root->SetModal(false);
        m_root->SetLoop(nullptr);
    }
    ReleaseInput();
    if (!m_hint.isEmpty() && m_hintReceiver) {
        QStatusTipEvent tip{QString()};
        QCoreApplication::sendEvent(m_hintReceiver, &tip);
    }
    m_hint.clear();
    if (m_replay.Pending) {
        m_replay.Pending = false;
        if (QWindow* target = QGuiApplication::topLevelAt(m_replay.Global)) {
            const QPointF local = target->mapFromGlobal(m_replay.Global);
            QCoreApplication::postEvent(target,
                                        new QMouseEvent(QEvent::MouseButtonPress, local, local,
                                                        QPointF(m_replay.Global), m_replay.Button,
                                                        m_replay.Buttons, m_replay.Modifiers));
        }
    }
}
