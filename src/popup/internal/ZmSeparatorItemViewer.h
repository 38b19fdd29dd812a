#pragma once

#include "popup/internal/ZmItemViewer.h"

class TZmSeparatorItem;

// Shows a separator: an etched line across the item, unless it is blank.
class TZmSeparatorItemViewer : public TZmItemViewer {
public:
    TZmSeparatorItemViewer(TZmView* view, TZmSeparatorItem* item);

    QSize Measure() override;
    void Paint(QPainter& canvas, const QRect& rect) override;
};
