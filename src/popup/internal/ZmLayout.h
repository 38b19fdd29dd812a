#pragma once

// The arithmetic of popup menus, free of widgets so that it can be tested
// on its own: item measurement, separator hiding, stacking items in
// columns, placing first-level popups and submenus on a work area,
// scrolling, and accelerator characters.
//
// Rectangles: right and bottom edges are exclusive (x + width), as the
// placement rules count them.

#include "popup/ZmTypes.h"

#include <QChar>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace ZmLayout {

// Width of a popup window's frame on every side.
inline constexpr int FrameWidth = 3;
// Height of the scroll zones at the top and the bottom of a view that is
// taller than its work area.
inline constexpr int ScrollZone = 19;
// Width of the gap between two columns; the bar is drawn in its middle.
inline constexpr int ColumnGap = 6;

// The menu font's text height and external leading.
struct TextMetrics {
    int Height = 0;
    int ExternalLeading = 0;
};

struct ItemSize {
    int Width = 0;
    int Height = 0;
    int ColumnWidth = 0; // the image and check column at the left
};

// a * b / c rounded to the nearest integer (halves away from zero).
int MulDiv(int a, int b, int c);

// Measures a menu item. imageSize is empty when the item's menu has no
// image list; shortcutWidth < 0 when the item has no shortcut. An
// image-only item (no caption, a picture) is as wide as its image column:
// it needs no room for text, shortcut or arrow.
ItemSize MeasureItem(const TextMetrics& text, int captionWidth, QSize imageSize, int shortcutWidth,
                     bool imageOnly);

// Height of a separator: two thirds of the text height, rounded up.
int SeparatorHeight(int textHeight);

// Which of a view's visible children are shown: a separator is hidden when
// it comes first or last in its column, or right after another shown
// separator. startsColumn marks items with a column break.
QList<bool> ShownItems(const QList<bool>& isSeparator, const QList<bool>& startsColumn);

// Column breaks of the shown items: an item starts a column when it or a
// hidden item right before it carries a break (the first item never does).
QList<bool> ShownColumnStarts(const QList<bool>& shown, const QList<bool>& startsColumn);

struct Stack {
    QList<QRect> Rects; // one per item, in content coordinates
    QList<int> Columns; // the column of each item
    QList<int> BarsX;   // x of the vertical bar before each column after the first
    QSize Size;         // content size, including the top and bottom padding
};

// Stacks items top to bottom, a new column at every break; every item of a
// column is as wide as the widest one in it. padding is left free above
// and below (the scroll zones of a scrolling view).
Stack StackItems(const QList<QSize>& sizes, const QList<bool>& startsColumn, int padding = 0);

// Top-left corner of a first-level popup of the given size at point.
QPoint PlaceFirstLevel(QPoint point, TZmPopupAlignment alignment, QSize size, QRect workArea);

struct SubmenuPlacement {
    QPoint Pos;
    bool OpenedLeft = false; // had to open on the left side of its parent
};

// Places a submenu next to its parent item's rectangle (screen
// coordinates). A parent that opened to the left makes its submenus
// prefer the left side too.
SubmenuPlacement PlaceSubmenu(QRect parentItem, QSize size, QRect workArea, bool parentOpenedLeft);

// One scroll step of a view viewHeight high whose content is shifted up
// by offset: reveals exactly one more item at the bottom (down) or top
// (up). tops and bottoms are the items' edges in content coordinates,
// separators left out. Returns the new offset, unchanged when there is no
// item left to reveal that way.
int ScrollDown(const QList<int>& bottoms, int offset, int viewHeight);
int ScrollUp(const QList<int>& tops, int offset);

// Offset that shows the item [top, bottom) at least one scroll zone away
// from the view's top and bottom edges, within 0..maxOffset.
int ScrollIntoView(int top, int bottom, int offset, int viewHeight, int maxOffset);

} // namespace ZmLayout
