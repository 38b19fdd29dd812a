#pragma once

#include <QPoint>
#include <QPolygon>
#include <QRegion>

// Geometry of the app-bar strip, free of any window.

inline constexpr int AppBarWidth = 500;
inline constexpr int AppBarHeight = 25;

// Left edge that centres a bar of the given width on a screen; truncating
// division, so a narrow screen gives a negative left.
int AppBarLeft(int screenWidth, int barWidth);

// The trapezoid in window coordinates: (0,0), (W-1,0), (W-H-1,H-1), (H,H-1).
QPolygon BarPolygon(int width, int height);

// The trapezoid as a region (winding fill).
QRegion BarRegionOf(int width, int height);

// True when a screen point, shifted into window coordinates by the bar's
// current top-left corner, lies inside the region.
bool PointOnBar(const QRegion& barRegion, const QPoint& barTopLeft, const QPoint& screenPoint);

// Target top of the roll: shown (0) while the pointer is on the bar, else
// rolled up so that only the lowest rows remain (2 - height).
int RollTarget(bool pointerOnBar, int height);

// The part of the bar's region that lies on its own monitor when the bar's
// top is at barTop: the rows at or below the monitor's top (screen
// coordinates), so that a rolled-up bar shows nothing on a monitor above.
QRegion RegionOnMonitor(const QRegion& barRegion, int barTop, int monitorTop);

// One roll step: half the remaining distance, at least one pixel.
int RollStep(int top, int target);

// The frame of a region: the pixels of the region that lie within w pixels
// horizontally or h pixels vertically of its outside.
QRegion FrameOfRegion(const QRegion& region, int w, int h);
