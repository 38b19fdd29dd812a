#include "main/ActionMenuBar.h"

#include "main/BarLayout.h"
#include "main/CommandManager.h"
#include "main/ItemAction.h"
#include "main/XPStyle.h"

#include <QMenu>

TActionMenuBar::TActionMenuBar(TCommandManager* manager, int bar, TXPStyle* style, QWidget* parent)
    : QMenuBar(parent), m_manager(manager), m_style(style), m_bar(bar)
{
    setNativeMenuBar(false);
    setStyle(style);
    connect(manager, &TCommandManager::BarChanged, this, [this](int index) {
        if (index == m_bar)
            Rebuild();
    });
    connect(manager, &TCommandManager::ItemChanged, this, &TActionMenuBar::FollowItem);
    Rebuild();
}

QAction* TActionMenuBar::TopLevelAction(int index) const
{
    return index >= 0 && index < m_top.size() ? m_top[index] : nullptr;
}

QMenu* TActionMenuBar::BuildMenu(const TBarItem& item, const QList<int>& path, QWidget* parent)
{
    auto* menu = new QMenu(item.Caption, parent);
    menu->setStyle(m_style);
    menu->setFont(font());
    for (int i = 0; i < item.Items.size(); ++i) {
        const TBarItem& sub = item.Items[i];
        const QList<int> subPath = QList<int>(path) << i;
        QAction* action = nullptr;
        if (sub.Kind == TBarItem::ikSeparator) {
            action = menu->addSeparator();
        } else if (sub.Kind == TBarItem::ikSubmenu) {
            action = menu->addMenu(BuildMenu(sub, subPath, menu));
        } else {
            action = new TItemAction(m_manager, m_bar, subPath, sub, menu);
            menu->addAction(action);
        }
        action->setVisible(sub.Visible);
    }
    return menu;
}

void TActionMenuBar::Rebuild()
{
    const TBarLayout& layout = m_manager->Bar(m_bar);
    clear();
    for (QAction* a : std::as_const(m_top))
        if (QMenu* m = a->menu())
            m->deleteLater();
    m_top.clear();
    for (int i = 0; i < layout.Items.size(); ++i) {
        const TBarItem& item = layout.Items[i];
        QAction* action = nullptr;
        if (item.Kind == TBarItem::ikSubmenu) {
            action = addMenu(BuildMenu(item, {i}, this));
        } else if (item.Kind == TBarItem::ikSeparator) {
            action = addSeparator();
        } else {
            action = new TItemAction(m_manager, m_bar, {i}, item, this);
            addAction(action);
        }
        action->setVisible(item.Visible);
        m_top.append(action);
    }
    setVisible(layout.Visible);
}

void TActionMenuBar::FollowItem(int bar, const QList<int>& path)
{
    if (bar != m_bar || path.size() != 1)
        return;
    if (const TBarItem* item = m_manager->Item(bar, path))
        if (QAction* a = TopLevelAction(path[0]))
            a->setVisible(item->Visible);
}
