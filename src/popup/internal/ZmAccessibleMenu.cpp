#include "popup/internal/ZmAccessibleMenu.h"

#include "popup/ZmCaption.h"
#include "popup/ZmCustomItem.h"
#include "popup/internal/ZmAccessibleItem.h"
#include "popup/internal/ZmItemViewer.h"
#include "popup/internal/ZmPopupView.h"
#include "popup/internal/ZmPopupWindow.h"

namespace {

QAccessibleInterface* ZmAccessibleFactory(const QString&, QObject* object)
{
    if (auto* window = qobject_cast<TZmPopupWindow*>(object))
        return new TZmAccessibleMenu(window);
    if (auto* item = qobject_cast<TZmCustomItem*>(object))
        return new TZmAccessibleItem(item);
    return nullptr;
}

} // namespace

void InstallZmAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(ZmAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

TZmAccessibleMenu::TZmAccessibleMenu(TZmPopupWindow* window)
    : QAccessibleWidget(window, QAccessible::PopupMenu)
{
}

TZmPopupWindow* TZmAccessibleMenu::Window() const
{
    return static_cast<TZmPopupWindow*>(widget());
}

QList<TZmItemViewer*> TZmAccessibleMenu::Items() const
{
    const TZmPopupWindow* window = Window();
    return window && window->View() ? window->View()->ShownViewers() : QList<TZmItemViewer*>();
}

int TZmAccessibleMenu::childCount() const
{
    return int(Items().size());
}

QAccessibleInterface* TZmAccessibleMenu::child(int index) const
{
    const QList<TZmItemViewer*> items = Items();
    if (index < 0 || index >= items.size() || !items[index]->Item())
        return nullptr;
    return QAccessible::queryAccessibleInterface(items[index]->Item());
}

int TZmAccessibleMenu::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    const QList<TZmItemViewer*> items = Items();
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i]->Item() == child->object())
            return int(i);
    return -1;
}

QAccessibleInterface* TZmAccessibleMenu::childAt(int x, int y) const
{
    const TZmPopupWindow* window = Window();
    if (!window || !window->View())
        return nullptr;
    const TZmView* view = window->View();
    const TZmItemViewer* viewer = view->ViewerAt(view->mapFromGlobal(QPoint(x, y)));
    return viewer && viewer->Item() ? QAccessible::queryAccessibleInterface(viewer->Item())
                                    : nullptr;
}

QString TZmAccessibleMenu::text(QAccessible::Text t) const
{
    // A submenu is named after its item; a first-level menu has no name.
    const TZmPopupWindow* window = Window();
    if (t == QAccessible::Name && window && window->View() && window->View()->ParentView()) {
        const TZmCustomItem* item = window->View()->Item();
        return item ? ZmCaption::StripAccelerator(item->Caption()) : QString();
    }
    return QAccessibleWidget::text(t);
}
