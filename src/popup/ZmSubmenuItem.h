#pragma once

#include "popup/ZmCustomItem.h"

// An item that opens a submenu of its children (or of LinkSubitems'
// children). Opening the submenu raises OnPopup, then Click.
class TZmSubmenuItem : public TZmCustomItem {
    Q_OBJECT
public:
    explicit TZmSubmenuItem(QObject* owner = nullptr);

    // A drop-down combo executes on Enter instead of opening its submenu,
    // and opening its submenu does not click it.
    bool DropdownCombo() const { return (ItemStyle() & zisDropdownCombo) != 0; }
    void SetDropdownCombo(bool value);
};
