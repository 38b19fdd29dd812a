#include "htmlview/HtmlDocument.h"

#include "htmlview/HtmlBridge.h"
#include "htmlview/HtmlDocumentError.h"
#include "htmlview/HtmlView.h"

namespace {

QString Argument(const QVariantList& args, int index, const QString& method)
{
    if (index >= args.size())
        throw EHtmlDocumentError(
            QStringLiteral("%1: argument %2 is missing").arg(method).arg(index + 1));
    return args[index].toString();
}

} // namespace

THtmlDocument::THtmlDocument(THtmlView* view, Kind kind) : m_view(view), m_kind(kind) {}

bool THtmlDocument::operator==(const THtmlDocument& other) const
{
    return m_kind == other.m_kind && m_view.data() == other.m_view.data();
}

THtmlView* THtmlDocument::View() const
{
    if (m_kind == Kind::None)
        throw EHtmlDocumentError(QStringLiteral("There is no document"));
    if (!m_view)
        throw EHtmlDocumentError(QStringLiteral("The document no longer exists"));
    return m_view.data();
}

void THtmlDocument::Unsupported(const QString& name) const
{
    throw EHtmlDocumentError(
        QStringLiteral("The %1 has no member \"%2\"")
            .arg(m_kind == Kind::Window ? QStringLiteral("window") : QStringLiteral("document"),
                 name));
}

QVariant THtmlDocument::Call(const QString& name, const QVariantList& args) const
{
    THtmlView* view = View();
    const QString n = name.toLower();
    if (m_kind == Kind::Document) {
        if (n == QLatin1String("execcommand")) {
            const QString command = Argument(args, 0, name);
            view->ExecCommand(command, args.value(1).toBool(), args.value(2));
            return {};
        }
        if (n == QLatin1String("querycommandvalue"))
            return view->Bridge()->CommandValue(Argument(args, 0, name));
        if (n == QLatin1String("querycommandenabled"))
            return view->Bridge()->CommandEnabled(Argument(args, 0, name));
        if (n == QLatin1String("querycommandstate"))
            return view->Bridge()->CommandState(Argument(args, 0, name));
        if (n == QLatin1String("open")) {
            view->BeginWrite();
            return {};
        }
        if (n == QLatin1String("clear")) {
            view->ClearWrite();
            return {};
        }
        if (n == QLatin1String("write")) {
            QString html;
            for (const QVariant& a : args)
                html += a.toString();
            view->WriteHtml(html);
            return {};
        }
        if (n == QLatin1String("close")) {
            view->EndWrite();
            return {};
        }
    }
    Unsupported(name);
}

void THtmlDocument::Set(const QString& name, const QVariant& value) const
{
    THtmlView* view = View();
    const QString n = name.toLower();
    if (m_kind == Kind::Document) {
        if (n == QLatin1String("designmode")) {
            view->SetDesignMode(value.toString());
            return;
        }
        if (n == QLatin1String("bgcolor")) {
            view->SetBgColor(value.toString());
            return;
        }
    }
    Unsupported(name);
}

THtmlDocument THtmlDocument::Get(const QString& name) const
{
    THtmlView* view = View();
    const QString n = name.toLower();
    if (m_kind == Kind::Document && n == QLatin1String("script"))
        return THtmlDocument(view, Kind::Window);
    if (m_kind == Kind::Window && n == QLatin1String("document"))
        return THtmlDocument(view, Kind::Document);
    Unsupported(name);
}
