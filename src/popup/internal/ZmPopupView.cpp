#include "popup/internal/ZmPopupView.h"

#include "popup/ZmCustomItem.h"
#include "popup/internal/ZmDraw.h"
#include "popup/internal/ZmItemViewer.h"
#include "popup/internal/ZmLayout.h"
#include "popup/internal/ZmPopupWindow.h"

#include <QPainter>

using ZmLayout::ScrollZone;

namespace {
constexpr int ScrollInterval = 100;
}

TZmPopupView::TZmPopupView(TZmPopupWindow* window, TZmCustomItem* item, TZmView* parentView)
    : TZmView(window, item, parentView)
{
}

QSize TZmPopupView::Measure()
{
    QSize size = TZmView::Measure();
    m_scrollable = MaxHeight() > 0 && size.height() > MaxHeight();
    if (m_scrollable) {
        // Items start below the upper scroll zone and end above the lower.
        size = LayoutViewers(ScrollZone);
        m_contentHeight = size.height();
        size.setHeight(MaxHeight());
    } else {
        m_contentHeight = size.height();
    }
    resize(size);
    m_offset = qBound(0, m_offset, qMax(0, m_contentHeight - size.height()));
    return size;
}

TZmItemViewer* TZmPopupView::ViewerAt(QPoint pos) const
{
    // The zones cover the items beneath them.
    if (m_scrollable && (pos.y() < ScrollZone || pos.y() >= height() - ScrollZone))
        return nullptr;
    return TZmView::ViewerAt(pos);
}

int TZmPopupView::NextOffset(bool down) const
{
    if (!m_scrollable)
        return m_offset;
    QList<int> edges;
    for (const TZmItemViewer* v : ShownViewers()) {
        if (v->Item() && (v->Item()->ItemStyle() & zisSeparator))
            continue;
        edges.append(down ? v->BoundsRect.y() + v->BoundsRect.height() : v->BoundsRect.y());
    }
    const int next = down ? ZmLayout::ScrollDown(edges, m_offset, height())
                          : ZmLayout::ScrollUp(edges, m_offset);
    return qBound(0, next, qMax(0, m_contentHeight - height()));
}

bool TZmPopupView::CanScroll(bool down) const
{
    return NextOffset(down) != m_offset;
}

bool TZmPopupView::ScrollStep(bool down)
{
    const int next = NextOffset(down);
    if (next == m_offset)
        return false;
    SetOffset(next);
    return true;
}

void TZmPopupView::SetOffset(int offset)
{
    if (offset == m_offset)
        return;
    m_offset = offset;
    update();
    FollowScroll();
}

void TZmPopupView::FollowScroll()
{
    // An open submenu moves with its item, and closes once the item is no
    // longer wholly shown between the scroll zones.
    TZmItemViewer* open = OpenViewer();
    TZmView* child = OpenView();
    if (!open || !child)
        return;
    const QRect shown(0, ScrollZone, width(), height() - 2 * ScrollZone);
    if (!shown.contains(ViewerRect(open))) {
        CloseSubmenu();
        return;
    }
    child->Window()->move(PlaceSubmenu(open, child->Window()->size()).Pos);
}

void TZmPopupView::ScrollIntoView(const TZmItemViewer* viewer)
{
    if (!m_scrollable || !viewer)
        return;
    const QRect r = viewer->BoundsRect;
    SetOffset(ZmLayout::ScrollIntoView(r.y(), r.y() + r.height(), m_offset, height(),
                                       m_contentHeight - height()));
}

void TZmPopupView::TrackScrollZones(QPoint pos, bool overView)
{
    const bool up = m_scrollable && overView && pos.y() < ScrollZone && CanScroll(false);
    const bool down =
        m_scrollable && overView && pos.y() >= height() - ScrollZone && CanScroll(true);
    // A running timer keeps its rhythm while the pointer moves in the zone.
    if (!up)
        StopTimer(tkScrollUp);
    else if (!TimerRunning(tkScrollUp))
        StartTimer(tkScrollUp, ScrollInterval);
    if (!down)
        StopTimer(tkScrollDown);
    else if (!TimerRunning(tkScrollDown))
        StartTimer(tkScrollDown, ScrollInterval);
}

void TZmPopupView::PaintOverlay(QPainter& canvas)
{
    if (!m_scrollable)
        return;
    const QColor face = ZmDraw::Color(clr::Menu);
    const QColor arrow = ZmDraw::Color(clr::MenuText);
    const QRect top(0, 0, width(), ScrollZone);
    const QRect bottom(0, height() - ScrollZone, width(), ScrollZone);
    canvas.fillRect(top, face);
    canvas.fillRect(bottom, face);
    if (CanScroll(false))
        ZmDraw::ScrollArrow(canvas, top, true, arrow);
    if (CanScroll(true))
        ZmDraw::ScrollArrow(canvas, bottom, false, arrow);
}
