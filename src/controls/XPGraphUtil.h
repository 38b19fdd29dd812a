#pragma once

#include "base/TColor.h"

#include <QRect>
#include <QtGlobal>

class QPainter;

// Small integer helpers and the banded gradient fill the custom controls
// paint with.
//
// Rectangles here follow the drawing convention of the controls: Right and
// Bottom are exclusive. A QRect carries such a rectangle through its width
// and height (RectWidth = Right - Left), so build them with RectLTRB.

int Max(int a, int b);
int Min(int a, int b);
int RectHeight(const QRect& rect);
int RectWidth(const QRect& rect);

// The rectangle from (Left, Top) up to, but not including, (Right, Bottom).
// Right <= Left or Bottom <= Top gives an empty rectangle.
QRect RectLTRB(int Left, int Top, int Right, int Bottom);

// a * b / c through a 64-bit intermediate, rounded to the nearest integer
// with halves away from zero. -1 when c is 0 or the result does not fit in
// 32 bits.
int MulDiv(int a, int b, int c);

// Fills rect with a two-colour gradient made of solid bands.
//   direction 0: top to bottom, startColour first; 1: top to bottom,
//   endColour first; 2 and 3: the same from left to right. Other codes
//   draw nothing beyond the solid fill of a band count below 2.
//   bandCount below 2 fills the whole rectangle with startColour.
// The bands share the extent evenly; what is left at the far end is
// filled in the last colour. Every pixel is painted with one solid colour,
// so the result does not depend on antialiasing.
void GradientFillRect(QPainter& canvas, const QRect& rect, TColor startColour, TColor endColour,
                      quint8 direction, quint8 bandCount);
