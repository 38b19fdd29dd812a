#include "main/PreviewMouseHook.h"

#include "htmlview/HtmlView.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMouseEvent>

TPreviewMouseHook::TPreviewMouseHook(std::function<void(const QPoint& screenPoint)> target,
                                     QObject* owner)
    : QObject(owner), MouseHookTarget(std::move(target))
{
    QCoreApplication::instance()->installEventFilter(this);
}

TPreviewMouseHook::~TPreviewMouseHook()
{
    QCoreApplication::instance()->removeEventFilter(this);
    for (const Silenced& s : std::as_const(m_silenced))
        if (s.View)
            s.View->setContextMenuPolicy(s.Policy);
}

QWidget* TPreviewMouseHook::HtmlViewOf(QObject* receiver)
{
    const THtmlView* html = THtmlView::FromEventTarget(receiver);
    return html ? html->EngineWidget() : nullptr;
}

void TPreviewMouseHook::Silence(QWidget* view)
{
    if (view->contextMenuPolicy() == Qt::PreventContextMenu)
        return;
    m_silenced.append({view, view->contextMenuPolicy()});
    view->setContextMenuPolicy(Qt::PreventContextMenu);
}

bool TPreviewMouseHook::PreviewMouseHook(QObject* receiver, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::ContextMenu && HtmlViewOf(receiver)) {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        if (menu->reason() != QContextMenuEvent::Keyboard)
            return false;
        if (MouseHookTarget)
            MouseHookTarget(menu->globalPos());
        return true;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return false;
    if (static_cast<QMouseEvent*>(event)->button() != Qt::RightButton)
        return false;
    QWidget* view = HtmlViewOf(receiver);
    if (!view)
        return false;
    // The engine asks for its menu on the press already: keep it quiet,
    // but let the press through as before.
    Silence(view);
    if (type != QEvent::MouseButtonRelease)
        return false;
    if (MouseHookTarget)
        MouseHookTarget(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    return true;
}

bool TPreviewMouseHook::eventFilter(QObject* watched, QEvent* event)
{
    return PreviewMouseHook(watched, event) || QObject::eventFilter(watched, event);
}
