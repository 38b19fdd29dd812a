#include "popup/internal/ZmDraw.h"

#include <QPainter>

namespace ZmDraw {

QColor Color(TColor color)
{
    return color.ToQColor();
}

void Edge(QPainter& canvas, const QRect& rect, const QColor& topLeft, const QColor& bottomRight)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const int l = rect.x();
    const int t = rect.y();
    const int r = l + rect.width() - 1;
    const int b = t + rect.height() - 1;
    canvas.fillRect(QRect(l, t, rect.width() - 1, 1), topLeft);
    canvas.fillRect(QRect(l, t, 1, rect.height() - 1), topLeft);
    canvas.fillRect(QRect(l, b, rect.width(), 1), bottomRight);
    canvas.fillRect(QRect(r, t, 1, rect.height()), bottomRight);
}

void RaisedInner(QPainter& canvas, const QRect& rect)
{
    Edge(canvas, rect, Color(clr::BtnHighlight), Color(clr::BtnShadow));
}

void SunkenOuter(QPainter& canvas, const QRect& rect)
{
    Edge(canvas, rect, Color(clr::BtnShadow), Color(clr::BtnHighlight));
}

void EtchedHorizontal(QPainter& canvas, int left, int right, int y)
{
    if (right <= left)
        return;
    canvas.fillRect(QRect(left, y, right - left, 1), Color(clr::BtnShadow));
    canvas.fillRect(QRect(left, y + 1, right - left, 1), Color(clr::BtnHighlight));
}

void EtchedVertical(QPainter& canvas, int x, int top, int bottom)
{
    if (bottom <= top)
        return;
    canvas.fillRect(QRect(x, top, 1, bottom - top), Color(clr::BtnShadow));
    canvas.fillRect(QRect(x + 1, top, 1, bottom - top), Color(clr::BtnHighlight));
}

void MenuArrow(QPainter& canvas, const QRect& box, const QColor& color)
{
    // Four columns shrinking from 7 pixels to 1: a crisp triangle.
    const int x0 = box.x() + (box.width() - 4) / 2;
    const int cy = box.y() + box.height() / 2;
    for (int i = 0; i < 4; ++i)
        canvas.fillRect(QRect(x0 + i, cy - 3 + i, 1, 7 - 2 * i), color);
}

void ScrollArrow(QPainter& canvas, const QRect& box, bool up, const QColor& color)
{
    const int cx = box.x() + box.width() / 2;
    const int y0 = box.y() + (box.height() - 4) / 2;
    for (int i = 0; i < 4; ++i) {
        const int row = up ? y0 + i : y0 + 3 - i;
        canvas.fillRect(QRect(cx - i, row, 2 * i + 1, 1), color);
    }
}

} // namespace ZmDraw
