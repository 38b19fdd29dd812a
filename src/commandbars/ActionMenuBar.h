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

    // With the manager's "recently used first" option a menu opens with
    // the entries used so far; the others come on the chevron at its end,
    // or by themselves after this pause when full menus come after a delay.
    static constexpr int FullMenuDelay = 1500;
    static QString ChevronText() { return QStringLiteral("\u00BB"); }
    void ShowFullMenu(QMenu* menu);

private:
    void Rebuild();
    void FollowItem(int bar, const QList<int>& path);
    QMenu* BuildMenu(const TBarItem& item, const QList<int>& path, QWidget* parent);
    bool Used(const QList<int>& path);
    void Personalize(QMenu* menu);
    void Unpersonalize(QMenu* menu);

    TCommandManager* m_manager;
    TXPStyle* m_style;
    int m_bar;
    QList<QAction*> m_top;
};
