#include "htmlview/HtmlBridge.h"

#include "htmlview/HtmlValues.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

bool ClipboardHasContent()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && !data->formats().isEmpty();
}

} // namespace

THtmlBridge::THtmlBridge(QObject* parent) : QObject(parent)
{
    // Whether there is anything to paste changes with the clipboard, not
    // with the page.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (m_count > 0)
            emit Changed();
    });
}

QVariant THtmlBridge::CommandValue(const QString& command) const
{
    const QString c = command.toLower();
    if (const auto s = m_states.constFind(c); s != m_states.cend())
        return *s;
    return m_values.value(c);
}

bool THtmlBridge::CommandEnabled(const QString& command) const
{
    const QString c = command.toLower();
    const bool enabled = m_enabled.value(c, false);
    // The engine allows pasting into any editable place, even with nothing
    // to paste.
    if (c == QLatin1String("paste"))
        return enabled && ClipboardHasContent();
    return enabled;
}

bool THtmlBridge::CommandState(const QString& command) const
{
    return m_states.value(command.toLower(), false);
}

void THtmlBridge::snapshot(const QVariantMap& state)
{
    auto booleans = [](const QVariant& v) {
        QHash<QString, bool> out;
        const QVariantMap m = v.toMap();
        for (auto it = m.cbegin(); it != m.cend(); ++it)
            out.insert(it.key().toLower(), it.value().toBool());
        return out;
    };
    m_states = booleans(state.value(QStringLiteral("states")));
    m_enabled = booleans(state.value(QStringLiteral("enabled")));

    m_values.clear();
    const QVariantMap values = state.value(QStringLiteral("values")).toMap();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const QString key = it.key().toLower();
        if (it.value().isNull() || it.value().typeId() != QMetaType::QString)
            continue;
        const QString text = it.value().toString();
        QVariant v;
        if (key == QLatin1String("fontname"))
            v = HtmlValues::FontName(text);
        else if (key == QLatin1String("fontsize"))
            v = HtmlValues::FontSize(text);
        else if (key == QLatin1String("forecolor") || key == QLatin1String("backcolor"))
            v = HtmlValues::Color(text);
        else
            v = text;
        if (v.isValid())
            m_values.insert(key, v);
    }
    m_link = state.value(QStringLiteral("link")).toString();
    m_editing = state.value(QStringLiteral("designMode")).toString() == QLatin1String("on");
    ++m_count;
    // The copy first: a handler of Changed may rely on it.
    if (state.value(QStringLiteral("edited")).toBool())
        emit ContentChanged();
    emit Changed();
}
