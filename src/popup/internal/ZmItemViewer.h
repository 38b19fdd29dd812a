#pragma once

#include <QChar>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

class QColor;
class QFont;
class QKeyEvent;
class QPainter;
class TImageList;
class TZmCustomItem;
class TZmView;

// Shows one item in an open view: measures it, paints it, and takes the
// pointer and key events the menu's loop passes to it.
class TZmItemViewer {
public:
    TZmItemViewer(TZmView* view, TZmCustomItem* item);
    virtual ~TZmItemViewer();
    TZmItemViewer(const TZmItemViewer&) = delete;
    TZmItemViewer& operator=(const TZmItemViewer&) = delete;

    TZmView* View() const { return m_view; }
    TZmCustomItem* Item() const { return m_item.data(); }

    // Set by the view's layout: the rectangle in content coordinates,
    // whether the viewer is shown (a separator may be hidden), its column.
    QRect BoundsRect;
    bool Show = true;
    int Column = 0;

    // Shown, its item visible and selectable (disabled items are).
    bool IsSelectable() const;
    // The caption as drawn and its accelerator character (lower case).
    QString Caption() const;
    QChar Accelerator() const;
    // Width of the image and check column found by the last Measure.
    int ColumnWidth() const { return m_columnWidth; }
    // The item's image list and whether its picture is drawn.
    TImageList* Images() const;
    bool ShowsImage() const;
    // No caption, a picture: the item is a cell of a picture palette.
    bool IsImageOnly() const;

    virtual QSize Measure();
    // Paints into canvas, which already holds the menu background;
    // rect is the item at (0, 0).
    virtual void Paint(QPainter& canvas, const QRect& rect);
    virtual void DrawCaption(QPainter& canvas, const QRect& textRect, const QColor& color,
                             bool embossed);
    // The pointer entered or left the item while it is selected.
    virtual void Entering();
    virtual void Leaving();
    // A key pressed while the item is selected; true when consumed.
    virtual bool KeyDown(QKeyEvent* event);
    virtual void MouseDown(bool doubleClick);
    virtual void MouseMove(QPoint pos);
    virtual void MouseUp();
    virtual void MouseWheel(int steps);

protected:
    QFont ItemFont() const;
    int m_columnWidth = 0;

private:
    void PaintColumn(QPainter& canvas, const QRect& column, bool selected, bool enabled) const;
    TZmView* m_view;
    QPointer<TZmCustomItem> m_item;
};
