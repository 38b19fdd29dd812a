#pragma once

#include "popup/internal/ZmView.h"

// The view of a popup window. Taller than its work area, it scrolls: the
// top and bottom scroll zones (19 pixels) show arrows and scroll one item
// per step while the pointer rests on them; the wheel and the keyboard
// scroll too.
class TZmPopupView : public TZmView {
    Q_OBJECT
public:
    TZmPopupView(TZmPopupWindow* window, TZmCustomItem* item, TZmView* parentView);

    bool Scrollable() const { return m_scrollable; }
    bool CanScroll(bool down) const;

    QSize Measure() override;
    TZmItemViewer* ViewerAt(QPoint pos) const override;
    int ScrollOffset() const override { return m_offset; }
    void ScrollIntoView(const TZmItemViewer* viewer) override;
    bool ScrollStep(bool down) override;
    void TrackScrollZones(QPoint pos, bool overView) override;

protected:
    void PaintOverlay(QPainter& canvas) override;

private:
    int NextOffset(bool down) const;
    void SetOffset(int offset);
    void FollowScroll();

    bool m_scrollable = false;
    int m_offset = 0;
    int m_contentHeight = 0;
};
