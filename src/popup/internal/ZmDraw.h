#pragma once

// Drawing primitives shared by the popup windows, views and viewers: the
// platform's edges and etched lines in the system colours.

#include "base/TColor.h"

#include <QColor>
#include <QRect>

class QPainter;

namespace ZmDraw {

// A system or RGB colour as drawn now, through the application palette.
QColor Color(TColor color);

// A 1-pixel rectangle outline: top and left in one colour, bottom and
// right in another (a raised or sunken edge).
void Edge(QPainter& canvas, const QRect& rect, const QColor& topLeft, const QColor& bottomRight);
void RaisedInner(QPainter& canvas, const QRect& rect);
void SunkenOuter(QPainter& canvas, const QRect& rect);

// Etched lines: shadow, then highlight one pixel below (or right).
void EtchedHorizontal(QPainter& canvas, int left, int right, int y);
void EtchedVertical(QPainter& canvas, int x, int top, int bottom);

// The submenu arrow (a small triangle pointing right) in a box.
void MenuArrow(QPainter& canvas, const QRect& box, const QColor& color);
// Scroll arrows of a scrolling view.
void ScrollArrow(QPainter& canvas, const QRect& box, bool up, const QColor& color);

} // namespace ZmDraw
