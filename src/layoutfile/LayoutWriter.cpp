#include "layoutfile/LayoutWriter.h"

#include "layoutfile/LayoutReader.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

QJsonArray Items(const QList<TBarItem>& items)
{
    QJsonArray array;
    for (const TBarItem& item : items) {
        QJsonObject o;
        switch (item.Kind) {
        case TBarItem::ikSeparator:
            o.insert(u"kind", QStringLiteral("separator"));
            break;
        case TBarItem::ikCommand:
            o.insert(u"kind", QStringLiteral("command"));
            o.insert(u"command", item.Command);
            break;
        case TBarItem::ikSubmenu:
            o.insert(u"kind", QStringLiteral("submenu"));
            break;
        }
        if (item.Kind != TBarItem::ikSeparator) {
            o.insert(u"caption", item.Caption);
            if (!item.ShortCut.isEmpty())
                o.insert(u"shortcut", item.ShortCut);
        }
        o.insert(u"visible", item.Visible);
        o.insert(u"showCaption", item.ShowCaption);
        o.insert(u"usageCount", item.UsageCount);
        if (item.Kind == TBarItem::ikSubmenu)
            o.insert(u"items", Items(item.Items));
        array.append(o);
    }
    return array;
}

} // namespace

QByteArray TLayoutWriter::Serialize(const TManagerLayout& layout)
{
    QJsonArray bars;
    for (const TBarLayout& bar : layout.Bars) {
        QJsonObject o;
        o.insert(u"caption", bar.Caption);
        o.insert(u"visible", bar.Visible);
        o.insert(u"captionOptions", CaptionOptionName(bar.CaptionOptions));
        o.insert(u"smallIcons", bar.SmallIcons);
        o.insert(u"items", Items(bar.Items));
        bars.append(o);
    }
    const TBarOptions& options = layout.Options;
    QJsonObject o;
    o.insert(u"recentlyUsedFirst", options.RecentlyUsedFirst);
    o.insert(u"fullMenusAfterDelay", options.FullMenusAfterDelay);
    o.insert(u"showHints", options.ShowHints);
    o.insert(u"shortCutsInHints", options.ShortCutsInHints);
    o.insert(u"menuAnimation", options.MenuAnimation);
    QJsonObject root;
    root.insert(u"format", TLayoutReader::FormatTag());
    root.insert(u"version", TLayoutReader::FormatVersion);
    root.insert(u"bars", bars);
    root.insert(u"options", o);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool TLayoutWriter::WriteFile(const QString& fileName, const TManagerLayout& layout, QString* error)
{
    QSaveFile file(QFileInfo(fileName).absoluteFilePath());
    const QByteArray data = Serialize(layout);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
