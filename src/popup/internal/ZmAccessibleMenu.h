#pragma once

#include <QAccessibleWidget>

class TZmItemViewer;
class TZmPopupWindow;

// Registers, once, how popup windows and their items are exposed to
// assistive technology (TZmAccessibleMenu, TZmAccessibleItem).
void InstallZmAccessibility();

// A popup window as assistive technology sees it: a popup menu named
// after the item that opened it, whose children are the shown items.
class TZmAccessibleMenu : public QAccessibleWidget {
public:
    explicit TZmAccessibleMenu(TZmPopupWindow* window);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;

private:
    TZmPopupWindow* Window() const;
    QList<TZmItemViewer*> Items() const;
};
