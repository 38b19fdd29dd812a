#pragma once

#include "contacts/ContactNode.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>
#include <QTreeWidget>

class QItemSelection;
class TImageList;
class TZmPopupMenu;

// The contact list control that the Full Mode and the Messenger windows
// both show: groups with their contacts, each row painted by
// tvContactsCustomDrawItem, contacts dragged between groups, a hint naming
// the contact and the network under the pointer, and groups kept out of a
// selection of contacts, the context menu and "Send e-mail". The behaviour
// is the same in both windows, so the tree carries its own handlers; a
// window binds only what differs: the double-click (DblClick) and the
// context menu's before-popup event.
class TContactTree : public QTreeWidget {
    Q_OBJECT
public:
    // Draws with the window's status pictures (see NewStatusImageList).
    explicit TContactTree(TImageList* images, QWidget* parent = nullptr);

    TImageList* Images() const { return ilStatus; }

    TContactNode* AddGroup(const QString& text);
    TContactNode* AddContact(TContactNode* group, const QString& text, quint8 presence);
    // Sorts the groups, then the contacts of every group, by text.
    void SortTree();

    int GroupCount() const { return topLevelItemCount(); }
    TContactNode* Group(int index) const;
    TContactNode* FindNode(const QString& text) const;
    // The node at a point of the client area; none below the last row.
    TContactNode* NodeAt(int X, int Y) const;
    // While the context menu opens and runs, the right-clicked node is
    // reported as current (the selection stays as it was).
    TContactNode* CurrentNode() const;
    // The whole row of a node, from the client area's left edge.
    QRect RowRect(const TContactNode* node) const;

    // The selected nodes, most recently selected first.
    QList<TContactNode*> Selections() const;

    // The hint text set by the last pointer move.
    QString Hint() const { return m_hint; }

    // The menu a right-click opens at the pointer (see TContactMenu).
    TZmPopupMenu* PopupMenu() const;
    void SetPopupMenu(TZmPopupMenu* menu);

    // Every row painted again (the icons follow the right edge).
    void Repaint();

    // Changes between these two are shown with a single repaint.
    void BeginUpdate();
    void EndUpdate();

    // The handlers of the tree, the same in both windows.
    void tvContactsCustomDrawItem(QPainter& Canvas, TContactNode* Node, const QRect& Row,
                                  bool& DefaultDraw) const;
    void tvContactsChange();
    void tvContactsDragOver(QObject* Source, int X, int Y, bool& Accept);
    void tvContactsDragDrop(QObject* Source, int X, int Y);
    void tvContactsEndDrag();
    void tvContactsMouseMove(int X, int Y);
    // "Send e-mail": a composer addressed to the selected contacts.
    void ZmItem8Click();

signals:
    // A double-click anywhere on the tree, or Return on a contact (the
    // windows differ in what it does).
    void DblClick();

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Return or Enter on a contact does what its double-click does; on a
    // group it opens or closes the group.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void SelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void DragOverAt(QDropEvent* event);
    void ActivateHint(const QPoint& screenPos);
    // Clears every drag mark; true when one was set.
    bool ClearMarks();
    template <typename F> void ForEachNode(F visit) const;

    TImageList* ilStatus;
    QPointer<TZmPopupMenu> m_popupMenu;
    // The right-clicked row while its menu is open.
    QPersistentModelIndex m_popupIndex;
    quint64 m_selectionCount = 0;
    QString m_hint;
    int m_updateCount = 0;
};
