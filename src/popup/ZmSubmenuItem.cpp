#include "popup/ZmSubmenuItem.h"

TZmSubmenuItem::TZmSubmenuItem(QObject* owner) : TZmCustomItem(owner)
{
    SetItemStyle(ItemStyle() | zisSubmenu | zisSubmenuItem);
}

void TZmSubmenuItem::SetDropdownCombo(bool value)
{
    const TZmItemStyle style = value ? TZmItemStyle(ItemStyle() | zisDropdownCombo)
                                     : TZmItemStyle(ItemStyle() & ~zisDropdownCombo);
    if (style == ItemStyle())
        return;
    SetItemStyle(style);
    Change(true);
}
