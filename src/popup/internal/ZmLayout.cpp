#include "popup/internal/ZmLayout.h"

#include <QtGlobal>

#include <climits>
#include <cstdlib>

namespace ZmLayout {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const qint64 n = qint64(a) * b;
    const qint64 half = std::llabs(c) / 2;
    const bool negative = (n < 0) != (c < 0);
    const qint64 q = (std::llabs(n) + half) / std::llabs(c);
    return int(negative ? -q : q);
}

ItemSize MeasureItem(const TextMetrics& text, int captionWidth, QSize imageSize, int shortcutWidth,
                     bool imageOnly)
{
    ItemSize s;
    s.Height = text.Height + text.ExternalLeading + 4;
    if (!imageSize.isEmpty()) {
        s.Height = qMax(s.Height, imageSize.height() + 3);
        s.ColumnWidth = MulDiv(imageSize.width() + 3, s.Height, imageSize.height() + 3);
    } else {
        s.ColumnWidth = s.Height;
    }
    if (imageOnly && !imageSize.isEmpty()) {
        s.Width = s.ColumnWidth;
        return s;
    }
    s.Width = captionWidth + s.ColumnWidth + 6;
    if (shortcutWidth >= 0)
        s.Width += shortcutWidth + (s.Height - 6);
    s.Width += s.Height; // room for the submenu arrow
    return s;
}

int SeparatorHeight(int textHeight)
{
    return (textHeight * 2 + 2) / 3;
}

QList<bool> ShownItems(const QList<bool>& isSeparator, const QList<bool>& startsColumn)
{
    const qsizetype n = isSeparator.size();
    QList<bool> shown(n, false);
    qsizetype lastShown = -1; // in the current column
    const auto closeColumn = [&] {
        if (lastShown >= 0 && isSeparator[lastShown])
            shown[lastShown] = false;
        lastShown = -1;
    };
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && i < startsColumn.size() && startsColumn[i])
            closeColumn();
        if (isSeparator[i] && (lastShown < 0 || isSeparator[lastShown]))
            continue;
        shown[i] = true;
        lastShown = i;
    }
    closeColumn();
    return shown;
}

QList<bool> ShownColumnStarts(const QList<bool>& shown, const QList<bool>& startsColumn)
{
    QList<bool> starts;
    bool pending = false;
    bool anyShown = false;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (i < startsColumn.size() && startsColumn[i])
            pending = true;
        if (!shown[i])
            continue;
        starts.append(pending && anyShown);
        pending = false;
        anyShown = true;
    }
    return starts;
}

Stack StackItems(const QList<QSize>& sizes, const QList<bool>& startsColumn, int padding)
{
    Stack s;
    // Split into columns first: every item of a column takes its width.
    QList<QList<qsizetype>> columns;
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const bool starts = i < startsColumn.size() && startsColumn[i];
        if (columns.isEmpty() || (starts && !columns.last().isEmpty()))
            columns.append(QList<qsizetype>());
        columns.last().append(i);
    }
    s.Rects.resize(sizes.size());
    s.Columns.resize(sizes.size());
    int x = 0;
    int height = 0;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        if (c > 0) {
            s.BarsX.append(x + ColumnGap / 2 - 1);
            x += ColumnGap;
        }
        int width = 0;
        for (qsizetype i : columns[c])
            width = qMax(width, sizes[i].width());
        int y = padding;
        for (qsizetype i : columns[c]) {
            s.Rects[i] = QRect(x, y, width, sizes[i].height());
            s.Columns[i] = int(c);
            y += sizes[i].height();
        }
        height = qMax(height, y - padding);
        x += width;
    }
    s.Size = QSize(x, height + 2 * padding);
    return s;
}

namespace {

// A position moved so that a span of the given size lies between low and
// high where it fits; where it does not, its low end stays visible.
int Within(int pos, int size, int low, int high)
{
    return qMax(qMin(pos, high - size), low);
}

} // namespace

QPoint PlaceFirstLevel(QPoint point, TZmPopupAlignment alignment, QSize size, QRect workArea)
{
    const int left = workArea.x();
    const int top = workArea.y();
    const int right = workArea.x() + workArea.width();
    const int bottom = workArea.y() + workArea.height();
    const int w = size.width();
    const int h = size.height();
    const int x = point.x();
    const int y = point.y();

    int X = alignment == paRight ? x - w : alignment == paCenter ? x - w / 2 : x;
    int Y = y;

    if (Y + h > bottom && y - h >= top)
        Y = y - h; // open upward
    Y = Within(Y, h, top, bottom);

    if (alignment == paRight && X < left)
        X += w;
    if (X + w > right)
        X = alignment == paLeft ? X - w : right - w;
    if (X < left)
        X = left;

    // The window must not lie under the point, or the release of the
    // button that opened it would land on an item.
    const auto coversPoint = [&] {
        return X < x && x < X + w && Y < y && y < Y + h;
    };
    if (coversPoint() && y - h >= top)
        Y = y - h;
    if (coversPoint()) {
        X = x + w <= right ? x : x - w;
        if (X < left)
            X = left;
    }
    return {X, Y};
}

SubmenuPlacement PlaceSubmenu(QRect parentItem, QSize size, QRect workArea, bool parentOpenedLeft)
{
    const int left = workArea.x();
    const int right = workArea.x() + workArea.width();
    const int w = size.width();
    const int rightSideX = parentItem.x() + parentItem.width() - FrameWidth;
    const int leftSideX = parentItem.x() + FrameWidth - w;

    SubmenuPlacement p;
    const int Y = Within(parentItem.y() - FrameWidth, size.height(), workArea.y(),
                         workArea.y() + workArea.height());

    const bool rightFits = rightSideX + w <= right;
    const bool leftFits = leftSideX >= left;
    if (parentOpenedLeft)
        p.OpenedLeft = leftFits || !rightFits;
    else
        p.OpenedLeft = !rightFits;
    if (!rightFits && !leftFits) {
        // Neither side has room: the side with more, the submenu then
        // pushed back into the work area over its parent.
        const int roomRight = right - rightSideX;
        const int roomLeft = parentItem.x() + FrameWidth - left;
        if (roomRight != roomLeft)
            p.OpenedLeft = roomLeft > roomRight;
    }
    p.Pos = QPoint(Within(p.OpenedLeft ? leftSideX : rightSideX, w, left, right), Y);
    return p;
}

int ScrollDown(const QList<int>& bottoms, int offset, int viewHeight)
{
    const int edge = viewHeight - ScrollZone;
    int nearest = INT_MAX;
    for (int b : bottoms) {
        const int shown = b - offset;
        if (shown > edge && shown < nearest)
            nearest = shown;
    }
    return nearest == INT_MAX ? offset : offset + (nearest - edge);
}

int ScrollUp(const QList<int>& tops, int offset)
{
    const int edge = ScrollZone;
    int nearest = INT_MIN;
    for (int t : tops) {
        const int shown = t - offset;
        if (shown < edge && shown > nearest)
            nearest = shown;
    }
    return nearest == INT_MIN ? offset : offset - (edge - nearest);
}

int ScrollIntoView(int top, int bottom, int offset, int viewHeight, int maxOffset)
{
    if (top - offset < ScrollZone)
        offset = top - ScrollZone;
    else if (bottom - offset > viewHeight - ScrollZone)
        offset = bottom - (viewHeight - ScrollZone);
    return qBound(0, offset, qMax(0, maxOffset));
}

} // namespace ZmLayout
