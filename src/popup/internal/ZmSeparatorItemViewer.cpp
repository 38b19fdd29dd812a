#include "popup/internal/ZmSeparatorItemViewer.h"

#include "popup/ZmSeparatorItem.h"
#include "popup/internal/ZmDraw.h"
#include "popup/internal/ZmLayout.h"
#include "popup/internal/ZmView.h"

#include <QFontMetrics>

TZmSeparatorItemViewer::TZmSeparatorItemViewer(TZmView* view, TZmSeparatorItem* item)
    : TZmItemViewer(view, item)
{
}

QSize TZmSeparatorItemViewer::Measure()
{
    m_columnWidth = 0;
    return {0, ZmLayout::SeparatorHeight(QFontMetrics(View()->MenuFont()).height())};
}

void TZmSeparatorItemViewer::Paint(QPainter& canvas, const QRect& rect)
{
    const auto* separator = qobject_cast<const TZmSeparatorItem*>(Item());
    if (!separator || separator->Blank())
        return;
    ZmDraw::EtchedHorizontal(canvas, 12, rect.width() - 12, rect.height() / 2 - 1);
}
