#include "layoutfile/BarLayout.h"

TBarItem TBarItem::MakeCommand(const QString& command, const QString& caption,
                               const QString& shortCut)
{
    TBarItem item;
    item.Kind = ikCommand;
    item.Command = command;
    item.Caption = caption;
    item.ShortCut = shortCut;
    return item;
}

TBarItem TBarItem::MakeSeparator()
{
    TBarItem item;
    item.Kind = ikSeparator;
    item.Caption = QStringLiteral("-");
    return item;
}

TBarItem TBarItem::MakeSubmenu(const QString& caption, const QList<TBarItem>& items)
{
    TBarItem item;
    item.Kind = ikSubmenu;
    item.Caption = caption;
    item.Items = items;
    return item;
}

bool TBarItem::operator==(const TBarItem& other) const
{
    return Kind == other.Kind && Command == other.Command && Caption == other.Caption &&
           ShortCut == other.ShortCut && Visible == other.Visible &&
           ShowCaption == other.ShowCaption && UsageCount == other.UsageCount &&
           Items == other.Items;
}

QString CaptionOptionName(TCaptionOption option)
{
    switch (option) {
    case TCaptionOption::coNone:
        return QStringLiteral("None");
    case TCaptionOption::coSelective:
        return QStringLiteral("Selective");
    case TCaptionOption::coAll:
        return QStringLiteral("All");
    }
    return QString();
}

bool CaptionOptionFromName(const QString& name, TCaptionOption* option)
{
    for (TCaptionOption o :
         {TCaptionOption::coNone, TCaptionOption::coSelective, TCaptionOption::coAll}) {
        if (name == CaptionOptionName(o)) {
            *option = o;
            return true;
        }
    }
    return false;
}
