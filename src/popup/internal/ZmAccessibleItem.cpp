#include "popup/internal/ZmAccessibleItem.h"

#include "popup/ZmCaption.h"
#include "popup/ZmCustomItem.h"
#include "popup/internal/ZmItemViewer.h"
#include "popup/internal/ZmPopupWindow.h"
#include "popup/internal/ZmView.h"

#include <QWindow>

TZmAccessibleItem::TZmAccessibleItem(TZmCustomItem* item) : m_item(item) {}

bool TZmAccessibleItem::isValid() const
{
    return m_item;
}

QObject* TZmAccessibleItem::object() const
{
    return m_item;
}

TZmView* TZmAccessibleItem::View() const
{
    if (!m_item)
        return nullptr;
    const QList<TZmView*> views = TZmView::OpenViews();
    for (TZmView* view : views)
        if (view->ViewerOf(m_item) && view->Window()->isVisible())
            return view;
    return nullptr;
}

TZmItemViewer* TZmAccessibleItem::Viewer() const
{
    const TZmView* view = View();
    return view ? view->ViewerOf(m_item) : nullptr;
}

TZmView* TZmAccessibleItem::OpenSubmenu() const
{
    const TZmView* view = View();
    return view && view->OpenViewer() && view->OpenViewer()->Item() == m_item ? view->OpenView()
                                                                              : nullptr;
}

QWindow* TZmAccessibleItem::window() const
{
    const TZmView* view = View();
    return view ? view->Window()->windowHandle() : nullptr;
}

QAccessibleInterface* TZmAccessibleItem::parent() const
{
    const TZmView* view = View();
    return view ? QAccessible::queryAccessibleInterface(view->Window()) : nullptr;
}

QAccessibleInterface* TZmAccessibleItem::child(int index) const
{
    const TZmView* submenu = OpenSubmenu();
    return index == 0 && submenu ? QAccessible::queryAccessibleInterface(submenu->Window())
                                 : nullptr;
}

int TZmAccessibleItem::childCount() const
{
    return OpenSubmenu() ? 1 : 0;
}

int TZmAccessibleItem::indexOfChild(const QAccessibleInterface* child) const
{
    const TZmView* submenu = OpenSubmenu();
    return child && submenu && child->object() == submenu->Window() ? 0 : -1;
}

QAccessibleInterface* TZmAccessibleItem::childAt(int, int) const
{
    return nullptr;
}

QString TZmAccessibleItem::text(QAccessible::Text t) const
{
    if (!m_item)
        return {};
    switch (t) {
    case QAccessible::Name: {
        // A picture without a caption is named by its hint.
        const QString caption = ZmCaption::StripAccelerator(m_item->Caption());
        return caption.isEmpty() ? m_item->ShortHint() : caption;
    }
    case QAccessible::Description:
        return m_item->LongHint();
    case QAccessible::Accelerator:
        return m_item->ShortCut().toString(QKeySequence::NativeText);
    default:
        return {};
    }
}

void TZmAccessibleItem::setText(QAccessible::Text, const QString&)
{
    // Captions belong to the program, not to assistive technology.
}

QRect TZmAccessibleItem::rect() const
{
    const TZmView* view = View();
    return view ? view->ScreenRect(view->ViewerOf(m_item)) : QRect();
}

QAccessible::Role TZmAccessibleItem::role() const
{
    return m_item && (m_item->ItemStyle() & zisSeparator) ? QAccessible::Separator
                                                          : QAccessible::MenuItem;
}

QAccessible::State TZmAccessibleItem::state() const
{
    QAccessible::State s;
    const TZmView* view = View();
    const TZmItemViewer* viewer = Viewer();
    if (!m_item || !viewer || !viewer->Show) {
        s.invisible = true;
        return s;
    }
    s.disabled = !m_item->Enabled();
    s.focusable = viewer->IsSelectable();
    s.focused = view->Selected() == viewer;
    s.selected = s.focused;
    s.checkable = m_item->AutoCheck() || m_item->GroupIndex() != 0 || m_item->RadioItem() ||
                  m_item->Checked();
    s.checked = m_item->Checked();
    s.hasPopup = (m_item->ItemStyle() & zisSubmenu) != 0;
    s.expanded = OpenSubmenu() != nullptr;
    s.collapsed = s.hasPopup && !s.expanded;
    return s;
}
