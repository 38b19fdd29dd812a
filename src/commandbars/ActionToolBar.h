#pragma once

#include "layoutfile/BarLayout.h"

#include <QList>
#include <QPoint>
#include <QToolBar>

#include <functional>

class QMimeData;
class QToolButton;
class TCommandManager;
class TXPStyle;

// A toolbar that shows one bar of a command manager: its items in order,
// pictures from the manager's picture list, captions under the pictures
// as the bar's caption option says, small (16) or large (32) pictures.
// While the bar is being customized its buttons do not run their commands:
// they can be dragged within the bar or off it (which removes them), and
// commands and separators can be dropped onto it.
class TActionToolBar : public QToolBar {
    Q_OBJECT
public:
    TActionToolBar(TCommandManager* manager, int bar, TXPStyle* style, QWidget* parent);

    static QString CommandMime() { return QStringLiteral("application/x-zentro-command"); }
    static QString SeparatorMime() { return QStringLiteral("application/x-zentro-separator"); }
    static QString ItemMime() { return QStringLiteral("application/x-zentro-bar-item"); }
    static QString CategoryMime() { return QStringLiteral("application/x-zentro-category"); }

    int BarIndex() const { return m_bar; }
    // The button of the item at the index, or null (separators, hidden).
    QToolButton* Button(int item) const;

    void SetCustomizing(bool on);
    bool Customizing() const { return m_customizing; }

    // Where a drop at a point of the bar inserts (an item index).
    int DropIndexAt(const QPoint& pos) const;
    // The changes a drop makes; they go through the manager.
    void InsertCommand(int index, const QString& command);
    void InsertSeparator(int index);
    // A submenu item holding every command of the category.
    void InsertCategory(int index, const QString& category);
    void MoveItem(int from, int to);
    void RemoveItem(int index);

    // The bar's context menu, when assigned: called with the screen point.
    std::function<void(const QPoint& screenPoint)> OnContextPopup;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Rebuild();
    void FollowItem(int bar, const QList<int>& path);
    bool Accepts(const QMimeData* data) const;
    QString Hint(const TBarItem& item) const;
    int ItemOfWidget(const QObject* widget) const;
    void StartItemDrag(int item);
    void ItemMenu(int item, const QPoint& screenPoint);

    TCommandManager* m_manager;
    TXPStyle* m_style;
    int m_bar;
    QList<QAction*> m_actions; // one per item, in item order
    bool m_customizing = false;
    int m_pressedItem = -1;
    QPoint m_pressPos;
    int m_dropMark = -1; // insertion mark while something is dragged over
    bool m_droppedHere = false;
};
