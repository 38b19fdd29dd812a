#include "popup/internal/ZmDispatcher.h"

#include "popup/ZmCustomItem.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScopedValueRollback>

namespace {

TZmDispatcher* g_dispatcher = nullptr;
TZmCustomItem* g_pending = nullptr;
bool g_dispatching = false;

QEvent::Type ClickEventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType(QEvent::User + 0x500));
    return type;
}

} // namespace

void TZmDispatcher::PostClick(TZmCustomItem* item)
{
    g_pending = item;
    if (!g_dispatcher)
        g_dispatcher = new TZmDispatcher;
    QCoreApplication::postEvent(g_dispatcher, new QEvent(ClickEventType()));
}

TZmCustomItem* TZmDispatcher::PendingItem()
{
    return g_pending;
}

bool TZmDispatcher::Exists()
{
    return g_dispatcher != nullptr;
}

void TZmDispatcher::ItemDestroyed(TZmCustomItem* item, int liveItems)
{
    if (g_pending == item)
        g_pending = nullptr;
    if (liveItems == 0 && g_dispatcher) {
        // Its queued events go with it. A click handler that destroys the
        // last item runs inside the dispatcher's own event: defer then.
        if (g_dispatching)
            g_dispatcher->deleteLater();
        else
            delete g_dispatcher;
        g_dispatcher = nullptr;
    }
}

void TZmDispatcher::customEvent(QEvent* event)
{
    if (event->type() != ClickEventType())
        return;
    TZmCustomItem* item = g_pending;
    g_pending = nullptr;
    if (!item)
        return;
    const QScopedValueRollback<bool> dispatching(g_dispatching, true);
    item->Click();
}
