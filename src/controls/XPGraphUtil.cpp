#include "controls/XPGraphUtil.h"

#include <QPaintDevice>
#include <QPainter>
#include <QWidget>

#include <cstdlib>
#include <limits>

namespace {

// System colours follow the palette of the widget being painted, if any.
QColor Resolve(const QPainter& canvas, TColor colour)
{
    const QPaintDevice* device = canvas.device();
    if (colour.IsSystem() && device && device->devType() == QInternal::Widget)
        return colour.ToQColor(static_cast<const QWidget*>(device)->palette());
    return colour.ToQColor();
}

} // namespace

int Max(int a, int b)
{
    return a > b ? a : b;
}

int Min(int a, int b)
{
    return a < b ? a : b;
}

int RectHeight(const QRect& rect)
{
    return rect.height();
}

int RectWidth(const QRect& rect)
{
    return rect.width();
}

QRect RectLTRB(int Left, int Top, int Right, int Bottom)
{
    return QRect(Left, Top, Right - Left, Bottom - Top);
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const qint64 product = qint64(a) * qint64(b);
    const bool negative = (product < 0) != (c < 0);
    const quint64 num = quint64(std::llabs(product));
    const quint64 den = quint64(std::llabs(qint64(c)));
    const quint64 q = (num + den / 2) / den;
    if (q > quint64(std::numeric_limits<int>::max()) + (negative ? 1 : 0))
        return -1;
    return negative ? int(-qint64(q)) : int(q);
}

void GradientFillRect(QPainter& canvas, const QRect& rect, TColor startColour, TColor endColour,
                      quint8 direction, quint8 bandCount)
{
    if (RectWidth(rect) <= 0 || RectHeight(rect) <= 0)
        return;
    if (bandCount < 2) {
        canvas.fillRect(rect, Resolve(canvas, startColour));
        return;
    }
    if (direction > 3)
        return;

    const bool reversed = direction == 1 || direction == 3;
    const bool vertical = direction < 2; // bands stacked from top to bottom
    const QColor first = Resolve(canvas, reversed ? endColour : startColour);
    const QColor last = Resolve(canvas, reversed ? startColour : endColour);
    const int base[3] = {first.red(), first.green(), first.blue()};
    const int delta[3] = {last.red() - base[0], last.green() - base[1], last.blue() - base[2]};

    const int extent = vertical ? RectHeight(rect) : RectWidth(rect);
    const int bands = Max(2, Min(bandCount, extent));
    const int bandSize = extent / bands;

    // The pen plays no part in the fill, but the canvas is left with a
    // plain solid pen drawing normally, as callers expect afterwards.
    QPen pen = canvas.pen();
    pen.setStyle(Qt::SolidLine);
    canvas.setPen(pen);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);

    if (bandSize > 0) {
        for (int i = 0; i < bands; ++i) {
            const QRect band =
                vertical ? QRect(rect.left(), rect.top() + i * bandSize, rect.width(), bandSize)
                         : QRect(rect.left() + i * bandSize, rect.top(), bandSize, rect.height());
            int channel[3];
            for (int c = 0; c < 3; ++c)
                channel[c] = (base[c] + MulDiv(i, delta[c], bands - 1)) & 0xFF;
            canvas.fillRect(band, QColor(channel[0], channel[1], channel[2]));
        }
    }

    const int remainder = extent % bands;
    if (remainder > 0) {
        const QRect strip = vertical ? QRect(rect.left(), rect.top() + rect.height() - remainder,
                                             rect.width(), remainder)
                                     : QRect(rect.left() + rect.width() - remainder, rect.top(),
                                             remainder, rect.height());
        canvas.fillRect(strip, last);
    }
}
