#include "commandbars/ActionMenuBar.h"

#include "commandbars/CommandManager.h"
#include "commandbars/ItemAction.h"
#include "commandbars/XPStyle.h"
#include "layoutfile/BarLayout.h"

#include <QMenu>
#include <QTimer>

namespace {

const char* ChevronProperty = "zentroChevron";

QList<int> PathOf(const QAction* action)
{
    return action->data().value<QList<int>>();
}

} // namespace

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
        action->setData(QVariant::fromValue(subPath));
        action->setVisible(sub.Visible);
    }
    auto* fullMenu = new QTimer(menu);
    fullMenu->setObjectName(QStringLiteral("fullMenu"));
    fullMenu->setSingleShot(true);
    fullMenu->setInterval(FullMenuDelay);
    connect(fullMenu, &QTimer::timeout, this, [this, menu] { ShowFullMenu(menu); });
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { Personalize(menu); });
    connect(menu, &QMenu::aboutToHide, this, [this, menu] { Unpersonalize(menu); });
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

bool TActionMenuBar::Used(const QList<int>& path)
{
    const TBarItem* item = m_manager->Item(m_bar, path);
    if (!item)
        return false;
    if (item->UsageCount > 0)
        return true;
    for (int i = 0; i < item->Items.size(); ++i)
        if (Used(QList<int>(path) << i))
            return true;
    return false;
}

void TActionMenuBar::Personalize(QMenu* menu)
{
    if (!m_manager->Options().RecentlyUsedFirst)
        return;
    QList<QAction*> unused;
    bool anyUsed = false;
    const auto actions = menu->actions();
    for (QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        if (Used(PathOf(a)))
            anyUsed = true;
        else
            unused.append(a);
    }
    // A menu nothing of which was used yet opens in full.
    if (!anyUsed || unused.isEmpty())
        return;
    for (QAction* a : std::as_const(unused)) {
        a->setVisible(false);
        a->setProperty(TXPStyle::UnusedProperty, true);
    }
    QAction* chevron = menu->addAction(ChevronText());
    chevron->setProperty(ChevronProperty, true);
    chevron->setToolTip(QStringLiteral("Show all entries"));
    connect(chevron, &QAction::hovered, menu, [this, menu] { ShowFullMenu(menu); });
    if (m_manager->Options().FullMenusAfterDelay)
        menu->findChild<QTimer*>(QStringLiteral("fullMenu"))->start();
}

void TActionMenuBar::ShowFullMenu(QMenu* menu)
{
    const auto actions = menu->actions();
    for (QAction* a : actions) {
        if (a->property(ChevronProperty).toBool()) {
            menu->removeAction(a);
            a->deleteLater();
        } else if (a->property(TXPStyle::UnusedProperty).toBool())
            a->setVisible(true);
    }
}

void TActionMenuBar::Unpersonalize(QMenu* menu)
{
    menu->findChild<QTimer*>(QStringLiteral("fullMenu"))->stop();
    const auto actions = menu->actions();
    for (QAction* a : actions) {
        if (a->property(ChevronProperty).toBool()) {
            menu->removeAction(a);
            a->deleteLater();
        } else if (a->property(TXPStyle::UnusedProperty).toBool()) {
            a->setProperty(TXPStyle::UnusedProperty, false);
            const TBarItem* item = m_manager->Item(m_bar, PathOf(a));
            a->setVisible(item && item->Visible);
        }
    }
}

void TActionMenuBar::FollowItem(int bar, const QList<int>& path)
{
    if (bar != m_bar || path.size() != 1)
        return;
    if (const TBarItem* item = m_manager->Item(bar, path))
        if (QAction* a = TopLevelAction(path[0]))
            a->setVisible(item->Visible);
}
