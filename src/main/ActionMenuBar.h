#pragma once

#include <QList>
#include <QMenuBar>

class QMenu;
class TBarItem;
class TCommandManager;
class TXPStyle;

// A menu bar that shows one bar of a command manager: each top-level item
// a menu, submenus nested as the item tree says, captions and shortcuts
// of the items, enabled and checked state of their commands.
class TActionMenuBar : public QMenuBar {
    Q_OBJECT
public:
    TActionMenuBar(TCommandManager* manager, int bar, TXPStyle* style, QWidget* parent);

    int BarIndex() const { return m_bar; }
    // The action of a top-level entry (its menu's action), or null.
    QAction* TopLevelAction(int index) const;

private:
    void Rebuild();
    void FollowItem(int bar, const QList<int>& path);
    QMenu* BuildMenu(const TBarItem& item, const QList<int>& path, QWidget* parent);

    TCommandManager* m_manager;
    TXPStyle* m_style;
    int m_bar;
    QList<QAction*> m_top;
};
