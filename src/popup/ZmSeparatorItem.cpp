#include "popup/ZmSeparatorItem.h"

#include "popup/internal/ZmSeparatorItemViewer.h"

TZmSeparatorItem::TZmSeparatorItem(QObject* owner) : TZmCustomItem(owner)
{
    SetItemStyle((ItemStyle() & ~(zisSelectable | zisRedrawOnSelect | zisRedrawOnMouseOver)) |
                 zisSeparator | zisNoReleaseClick);
}

void TZmSeparatorItem::SetBlank(bool value)
{
    if (m_blank == value)
        return;
    m_blank = value;
    Notify(zccInvalidate);
}

TZmItemViewer* TZmSeparatorItem::CreateItemViewer(TZmView* view)
{
    return new TZmSeparatorItemViewer(view, this);
}
