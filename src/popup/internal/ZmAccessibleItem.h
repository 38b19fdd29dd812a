#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class TZmCustomItem;
class TZmItemViewer;
class TZmView;

// A menu item as assistive technology sees it: a menu item (or separator)
// with its caption, shortcut and long hint, and the states checked,
// disabled, focused (selected) and has-popup. While its submenu is open,
// that popup menu is its child.
class TZmAccessibleItem : public QAccessibleInterface {
public:
    explicit TZmAccessibleItem(TZmCustomItem* item);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    // The open view that shows the item, and its viewer there.
    TZmView* View() const;
    TZmItemViewer* Viewer() const;
    TZmView* OpenSubmenu() const;

    QPointer<TZmCustomItem> m_item;
};
