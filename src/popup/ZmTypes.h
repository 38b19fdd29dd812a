#pragma once

// Enumerations and event types shared by the popup-menu component: the
// item model (TZmCustomItem and its kin), the popup windows and views.

#include <QFlags>
#include <QtGlobal>

#include <functional>

class QObject;
class TZmCustomItem;
class TZmItemViewer;

// How an item shows its picture and caption. In menus, the two text-only
// modes leave the picture out (the image column keeps its width).
enum TZmItemDisplayMode { zmdmDefault, zmdmTextOnly, zmdmTextOnlyInMenus, zmdmImageAndText };

enum TZmItemOption {
    zmoDefault = 0x001, // drawn in bold: the menu's default command
    zmoDropdownArrow = 0x002,
    zmoImageAboveCaption = 0x004,
    zmoLongHintInMenuOnly = 0x008,
    zmoNoRotation = 0x010,
    zmoSameWidth = 0x020,
    zmoShowHint = 0x040,
    zmoToolbarStyle = 0x080,
    zmoToolbarSize = 0x100,
};
Q_DECLARE_FLAGS(TZmItemOptions, TZmItemOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TZmItemOptions)

// Flags of TZmCustomItem::ItemStyle, a 16-bit set. They say how views
// treat the item; the item classes set them, callers rarely need to.
using TZmItemStyle = quint16;
enum TZmItemStyleFlag : TZmItemStyle {
    zisSubmenu = 1,              // opens a submenu of its children
    zisSelectable = 2,           // can become the selected (highlighted) item
    zisSeparator = 4,            // hidden when first, last or after another separator
    zisEmbedGroup = 8,           // its children are shown in its place
    zisNoReleaseClick = 16,      // a button release does not execute it
    zisDropdownCombo = 32,       // Enter executes it; opening its submenu does not click it
    zisSubmenuItem = 128,        // set by TZmSubmenuItem alongside zisSubmenu
    zisNoInitialSelect = 1024,   // never taken as the initial selection
    zisRedrawOnSelect = 2048,    // redrawn when it becomes or stops being selected
    zisRedrawOnMouseOver = 4096, // redrawn when the pointer enters or leaves it while selected
};
inline constexpr TZmItemStyle DefaultItemStyle =
    zisSelectable | zisRedrawOnSelect | zisRedrawOnMouseOver;

// Column break before an item: none, or a new column separated from the
// previous one by a vertical bar.
enum TZmItemBreak { zmbNone, zmbBarBreak };

// Where a first-level popup lies relative to the requested point.
enum TZmPopupAlignment { paLeft = 0, paRight = 1, paCenter = 2 };

// The button that, besides the left one, operates an open menu.
enum TZmTrackButton { tbLeftButton, tbRightButton };

// What a change notification of an item's child list tells its listeners.
// Item is the child concerned (null: all of them), Index its position
// (-1 when it does not matter).
enum TZmChangeKind {
    zccInserted,
    zccDeleting,
    zccBeginUpdate,
    zccEndUpdate,
    zccInvalidate,          // redraw Item
    zccInvalidateAndResize, // re-measure (and redraw) Item
};

// Event slots. An event is "assigned" when the std::function is set.
using TZmNotifyEvent = std::function<void(QObject* Sender)>;
using TZmPopupEvent = std::function<void(TZmCustomItem* Sender, bool FromLink)>;
using TZmSelectEvent =
    std::function<void(TZmCustomItem* Sender, TZmItemViewer* Viewer, bool Selecting)>;
