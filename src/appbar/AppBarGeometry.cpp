#include "appbar/AppBarGeometry.h"

int AppBarLeft(int screenWidth, int barWidth)
{
    return (screenWidth - barWidth) / 2;
}

QPolygon BarPolygon(int width, int height)
{
    QPolygon p;
    p << QPoint(0, 0) << QPoint(width - 1, 0) << QPoint(width - height - 1, height - 1)
      << QPoint(height, height - 1);
    return p;
}

QRegion BarRegionOf(int width, int height)
{
    return QRegion(BarPolygon(width, height), Qt::WindingFill);
}

bool PointOnBar(const QRegion& barRegion, const QPoint& barTopLeft, const QPoint& screenPoint)
{
    return barRegion.contains(screenPoint - barTopLeft);
}

int RollTarget(bool pointerOnBar, int height)
{
    return pointerOnBar ? 0 : 2 - height;
}

QRegion RegionOnMonitor(const QRegion& barRegion, int barTop, int monitorTop)
{
    if (barTop >= monitorTop)
        return barRegion;
    const QRect r = barRegion.boundingRect();
    return barRegion.intersected(QRect(r.left(), monitorTop - barTop, r.width(), r.height()));
}

int RollStep(int top, int target)
{
    if (top == target)
        return top;
    if (target > top) {
        const int step = qMax((target - top) / 2, 1);
        return top + step;
    }
    const int step = qMax((top - target) / 2, 1);
    return top - step;
}

QRegion FrameOfRegion(const QRegion& region, int w, int h)
{
    QRegion inner = region;
    inner &= region.translated(w, 0);
    inner &= region.translated(-w, 0);
    inner &= region.translated(0, h);
    inner &= region.translated(0, -h);
    return region.subtracted(inner);
}
