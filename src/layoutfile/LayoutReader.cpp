#include "layoutfile/LayoutReader.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace {

// Walks the document, remembering the first reason for refusing it.
class Parser {
public:
    QString error;

    bool Bar(const QJsonValue& value, TBarLayout* bar)
    {
        if (!value.isObject())
            return Fail(QStringLiteral("a bar is not an object"));
        const QJsonObject o = value.toObject();
        if (!String(o, u"caption", true, &bar->Caption) || !Bool(o, u"visible", &bar->Visible) ||
            !Bool(o, u"smallIcons", &bar->SmallIcons))
            return false;
        QString option = CaptionOptionName(bar->CaptionOptions);
        if (!String(o, u"captionOptions", false, &option))
            return false;
        if (!CaptionOptionFromName(option, &bar->CaptionOptions))
            return Fail(QStringLiteral("unknown caption option"));
        return Items(o, 0, &bar->Items);
    }

    bool Options(const QJsonValue& value, TBarOptions* options)
    {
        if (value.isUndefined())
            return true;
        if (!value.isObject())
            return Fail(QStringLiteral("\"options\" is not an object"));
        const QJsonObject o = value.toObject();
        if (!Bool(o, u"recentlyUsedFirst", &options->RecentlyUsedFirst) ||
            !Bool(o, u"fullMenusAfterDelay", &options->FullMenusAfterDelay) ||
            !Bool(o, u"showHints", &options->ShowHints) ||
            !Bool(o, u"shortCutsInHints", &options->ShortCutsInHints) ||
            !Count(o, u"menuAnimation", &options->MenuAnimation))
            return false;
        if (options->MenuAnimation >= TBarOptions::MenuAnimationCount)
            return Fail(QStringLiteral("unknown menu animation"));
        return true;
    }

private:
    int m_items = 0;

    bool Fail(const QString& why)
    {
        if (error.isEmpty())
            error = why;
        return false;
    }

    bool String(const QJsonObject& o, QStringView key, bool required, QString* out)
    {
        const QJsonValue v = o.value(key);
        if (v.isUndefined())
            return required ? Fail(QStringLiteral("missing \"%1\"").arg(key)) : true;
        if (!v.isString())
            return Fail(QStringLiteral("\"%1\" is not a string").arg(key));
        *out = v.toString();
        return true;
    }

    bool Bool(const QJsonObject& o, QStringView key, bool* out)
    {
        const QJsonValue v = o.value(key);
        if (v.isUndefined())
            return true;
        if (!v.isBool())
            return Fail(QStringLiteral("\"%1\" is not true or false").arg(key));
        *out = v.toBool();
        return true;
    }

    bool Count(const QJsonObject& o, QStringView key, int* out)
    {
        const QJsonValue v = o.value(key);
        if (v.isUndefined())
            return true;
        const double d = v.toDouble(-1);
        if (!v.isDouble() || d < 0 || d > std::numeric_limits<int>::max() || std::floor(d) != d)
            return Fail(QStringLiteral("\"%1\" is not a count").arg(key));
        *out = int(d);
        return true;
    }

    bool Items(const QJsonObject& o, int depth, QList<TBarItem>* out)
    {
        const QJsonValue v = o.value(u"items");
        if (v.isUndefined())
            return true;
        if (!v.isArray())
            return Fail(QStringLiteral("\"items\" is not a list"));
        if (depth >= TLayoutReader::MaxDepth)
            return Fail(QStringLiteral("items nested too deeply"));
        const QJsonArray array = v.toArray();
        for (const QJsonValue& element : array) {
            if (++m_items > TLayoutReader::MaxItems)
                return Fail(QStringLiteral("too many items"));
            TBarItem item;
            if (!Item(element, depth, &item))
                return false;
            out->append(item);
        }
        return true;
    }

    bool Item(const QJsonValue& value, int depth, TBarItem* item)
    {
        if (!value.isObject())
            return Fail(QStringLiteral("an item is not an object"));
        const QJsonObject o = value.toObject();
        QString kind;
        if (!String(o, u"kind", true, &kind))
            return false;
        if (!Bool(o, u"visible", &item->Visible) || !Bool(o, u"showCaption", &item->ShowCaption) ||
            !Count(o, u"usageCount", &item->UsageCount))
            return false;
        if (kind == QLatin1String("separator")) {
            item->Kind = TBarItem::ikSeparator;
            item->Caption = QStringLiteral("-");
            return true;
        }
        if (!String(o, u"caption", true, &item->Caption) ||
            !String(o, u"shortcut", false, &item->ShortCut))
            return false;
        if (kind == QLatin1String("command")) {
            item->Kind = TBarItem::ikCommand;
            if (!String(o, u"command", true, &item->Command))
                return false;
            if (item->Command.isEmpty())
                return Fail(QStringLiteral("an item names no command"));
            return true;
        }
        if (kind == QLatin1String("submenu")) {
            item->Kind = TBarItem::ikSubmenu;
            return Items(o, depth + 1, &item->Items);
        }
        return Fail(QStringLiteral("unknown item kind"));
    }
};

} // namespace

std::optional<TManagerLayout> TLayoutReader::Parse(const QByteArray& data, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<TManagerLayout> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (data.size() > MaxFileSize)
        return fail(QStringLiteral("the file is too large"));
    QJsonParseError jsonError;
    const QJsonDocument doc = QJsonDocument::fromJson(data, &jsonError);
    if (jsonError.error != QJsonParseError::NoError)
        return fail(jsonError.errorString());
    if (!doc.isObject())
        return fail(QStringLiteral("not a layout"));
    const QJsonObject root = doc.object();
    if (root.value(u"format").toString() != FormatTag())
        return fail(QStringLiteral("not a layout"));
    const QJsonValue version = root.value(u"version");
    if (!version.isDouble() || version.toDouble() < OldestVersion ||
        version.toDouble() > FormatVersion || version.toDouble() != version.toInt())
        return fail(QStringLiteral("unsupported version"));
    const QJsonValue bars = root.value(u"bars");
    if (!bars.isArray())
        return fail(QStringLiteral("\"bars\" is not a list"));

    Parser parser;
    TManagerLayout layout;
    const QJsonArray array = bars.toArray();
    for (const QJsonValue& value : array) {
        TBarLayout bar;
        if (!parser.Bar(value, &bar))
            return fail(parser.error);
        layout.Bars.append(bar);
    }
    // Version 1 kept no options.
    if (version.toInt() > 1 && !parser.Options(root.value(u"options"), &layout.Options))
        return fail(parser.error);
    return layout;
}

std::optional<TManagerLayout> TLayoutReader::ReadFile(const QString& fileName, QString* error)
{
    // Only a regular file: opening a pipe or a device could block or never end.
    if (!QFileInfo(fileName).isFile()) {
        if (error)
            *error = QStringLiteral("not a regular file");
        return std::nullopt;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > MaxFileSize) {
        if (error)
            *error = QStringLiteral("the file is too large");
        return std::nullopt;
    }
    // Read one byte past the limit: a file that grows while being read is
    // still refused.
    return Parse(file.read(MaxFileSize + 1), error);
}
