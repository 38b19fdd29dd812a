#include "htmlview/HtmlFilter.h"

#include "htmlview/ResAddress.h"

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

namespace HtmlFilter {
namespace {

using TNames = QSet<QString>;

TNames Names(std::initializer_list<const char*> names)
{
    TNames set;
    for (const char* n : names)
        set.insert(QString::fromLatin1(n));
    return set;
}

// Elements whose content is not markup: the tokenizer skips to their end.
const TNames& RawText()
{
    static const TNames names = Names({"script", "style", "textarea", "title", "xmp", "iframe",
                                       "noembed", "noframes", "noscript", "plaintext"});
    return names;
}

// Elements that go with all they hold.
const TNames& DroppedWhole()
{
    static const TNames names = Names(
        {"script",   "style",     "textarea", "title",    "xmp",    "iframe", "noembed", "noframes",
         "noscript", "plaintext", "head",     "template", "object", "applet", "svg",     "math",
         "select",   "frameset",  "video",    "audio",    "canvas", "button", "datalist"});
    return names;
}

const TNames& Void()
{
    static const TNames names =
        Names({"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param",
               "source", "track", "wbr", "frame", "keygen", "basefont", "bgsound"});
    return names;
}

const TNames& EditorElements()
{
    static const TNames names = Names(
        {"a",     "b",  "big",   "blockquote", "br",    "caption", "center", "code", "dd",  "del",
         "div",   "dl", "dt",    "em",         "font",  "h1",      "h2",     "h3",   "h4",  "h5",
         "h6",    "hr", "i",     "img",        "ins",   "kbd",     "li",     "ol",   "p",   "pre",
         "q",     "s",  "samp",  "small",      "span",  "strike",  "strong", "sub",  "sup", "table",
         "tbody", "td", "tfoot", "th",         "thead", "tr",      "tt",     "u",    "ul"});
    return names;
}

// Elements that end a line in a plain input.
const TNames& Blocks()
{
    static const TNames names =
        Names({"p",          "div", "li", "tr", "h1",    "h2", "h3", "h4", "h5",      "h6",
               "blockquote", "pre", "dt", "dd", "table", "ul", "ol", "hr", "caption", "center"});
    return names;
}

// Attributes an element keeps in the editor, besides dir and style.
const QHash<QString, TNames>& EditorAttributes()
{
    static const QHash<QString, TNames> attributes{
        {QStringLiteral("a"), Names({"href", "title"})},
        {QStringLiteral("img"), Names({"src", "alt", "width", "height"})},
        {QStringLiteral("font"), Names({"color", "face", "size"})},
        {QStringLiteral("table"),
         Names({"align", "border", "cellpadding", "cellspacing", "width"})},
        {QStringLiteral("td"), Names({"align", "valign", "colspan", "rowspan", "width"})},
        {QStringLiteral("th"), Names({"align", "valign", "colspan", "rowspan", "width"})},
        {QStringLiteral("ol"), Names({"start", "type"})},
        {QStringLiteral("ul"), Names({"type"})},
        {QStringLiteral("li"), Names({"value"})},
    };
    return attributes;
}

const TNames& Aligned()
{
    static const TNames names =
        Names({"p", "div", "h1", "h2", "h3", "h4", "h5", "h6", "tr", "caption", "hr"});
    return names;
}

const TNames& StyleProperties()
{
    static const TNames names =
        Names({"color", "background-color", "font-family", "font-size", "font-style", "font-weight",
               "text-decoration", "text-align", "text-indent", "margin-left", "margin-right",
               "padding-left", "line-height", "vertical-align"});
    return names;
}

struct TAttribute {
    QString name;
    QString value; // character references decoded
};

struct TToken {
    enum TKind { Text, Start, End } kind = Text;
    QString name; // lower case
    QStringView text;
    QList<TAttribute> attributes;
};

bool IsSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool IsAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Character references as a browser reads them in attribute values: the
// numeric ones even without their semicolon, so that an address cannot
// hide its scheme behind them.
QString Decode(QStringView v)
{
    static const QHash<QString, QChar> named{
        {QStringLiteral("amp"), u'&'},   {QStringLiteral("lt"), u'<'},
        {QStringLiteral("gt"), u'>'},    {QStringLiteral("quot"), u'"'},
        {QStringLiteral("apos"), u'\''}, {QStringLiteral("nbsp"), QChar(0xA0)},
        {QStringLiteral("tab"), u'\t'},  {QStringLiteral("newline"), u'\n'},
        {QStringLiteral("colon"), u':'},
    };
    QString out;
    out.reserve(v.size());
    for (qsizetype i = 0; i < v.size(); ++i) {
        if (v[i] != u'&') {
            out += v[i];
            continue;
        }
        qsizetype j = i + 1;
        if (j < v.size() && v[j] == u'#') {
            const bool hex = j + 1 < v.size() && (v[j + 1] == u'x' || v[j + 1] == u'X');
            j += hex ? 2 : 1;
            const qsizetype digits = j;
            while (j < v.size() && j - digits < 8 &&
                   (v[j].isDigit() || (hex && QStringLiteral("abcdefABCDEF").contains(v[j]))))
                ++j;
            bool ok = false;
            const uint code = v.mid(digits, j - digits).toUInt(&ok, hex ? 16 : 10);
            if (!ok) {
                out += v[i];
                continue;
            }
            const char32_t c = code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)
                                   ? char32_t(QChar::ReplacementCharacter)
                                   : char32_t(code);
            out += QString::fromUcs4(&c, 1);
            i = (j < v.size() && v[j] == u';') ? j : j - 1;
            continue;
        }
        while (j < v.size() && j - i <= 8 && v[j].isLetterOrNumber())
            ++j;
        const auto found = named.constFind(v.mid(i + 1, j - i - 1).toString().toLower());
        if (found == named.cend()) {
            out += v[i];
            continue;
        }
        out += *found;
        i = (j < v.size() && v[j] == u';') ? j : j - 1;
    }
    return out;
}

// A forgiving reader of HTML: text, start tags with their attributes and
// end tags; comments, declarations and processing instructions are
// skipped, and so is the content of elements that hold no markup.
class TTokenizer {
public:
    explicit TTokenizer(const QString& s) : m_s(s) {}

    bool Next(TToken& t)
    {
        t.attributes.clear();
        t.name.clear();
        if (!m_rawEnd.isEmpty()) {
            // Up to the element's own end tag, or the end of the input.
            const qsizetype end = m_s.indexOf(m_rawEnd, m_i, Qt::CaseInsensitive);
            m_i = end < 0 ? m_s.size() : end;
            m_rawEnd.clear();
        }
        while (m_i < m_s.size()) {
            if (m_s[m_i] != u'<')
                return ReadText(t);
            const QChar next = m_i + 1 < m_s.size() ? m_s[m_i + 1] : QChar();
            if (m_s.mid(m_i, 4) == QLatin1String("<!--")) {
                const qsizetype end = m_s.indexOf(QLatin1String("-->"), m_i + 4);
                m_i = end < 0 ? m_s.size() : end + 3;
            } else if (next == u'!' || next == u'?') {
                SkipPast(u'>');
            } else if (next == u'/' && m_i + 2 < m_s.size() && IsAsciiLetter(m_s[m_i + 2])) {
                m_i += 2;
                t.kind = TToken::End;
                t.name = ReadName();
                SkipPast(u'>');
                return true;
            } else if (IsAsciiLetter(next)) {
                ++m_i;
                t.kind = TToken::Start;
                t.name = ReadName();
                ReadAttributes(t);
                if (RawText().contains(t.name))
                    m_rawEnd = QStringLiteral("</") + t.name;
                return true;
            } else {
                return ReadText(t);
            }
        }
        return false;
    }

private:
    bool ReadText(TToken& t)
    {
        // A '<' that opens no tag is text.
        const qsizetype end = m_s.indexOf(u'<', m_i + 1);
        const qsizetype stop = end < 0 ? m_s.size() : end;
        t.kind = TToken::Text;
        t.text = QStringView(m_s).mid(m_i, stop - m_i);
        m_i = stop;
        return true;
    }

    void SkipPast(QChar c)
    {
        const qsizetype end = m_s.indexOf(c, m_i);
        m_i = end < 0 ? m_s.size() : end + 1;
    }

    QString ReadName()
    {
        const qsizetype start = m_i;
        while (m_i < m_s.size() && !IsSpace(m_s[m_i]) && m_s[m_i] != u'/' && m_s[m_i] != u'>')
            ++m_i;
        return m_s.mid(start, m_i - start).toLower();
    }

    void ReadAttributes(TToken& t)
    {
        while (m_i < m_s.size()) {
            while (m_i < m_s.size() && (IsSpace(m_s[m_i]) || m_s[m_i] == u'/'))
                ++m_i;
            if (m_i >= m_s.size())
                return;
            if (m_s[m_i] == u'>') {
                ++m_i;
                return;
            }
            const qsizetype start = m_i;
            ++m_i; // a name may begin with '=' or a quote
            while (m_i < m_s.size() && !IsSpace(m_s[m_i]) && m_s[m_i] != u'/' && m_s[m_i] != u'>' &&
                   m_s[m_i] != u'=')
                ++m_i;
            TAttribute a{m_s.mid(start, m_i - start).toLower(), {}};
            while (m_i < m_s.size() && IsSpace(m_s[m_i]))
                ++m_i;
            if (m_i < m_s.size() && m_s[m_i] == u'=') {
                ++m_i;
                while (m_i < m_s.size() && IsSpace(m_s[m_i]))
                    ++m_i;
                qsizetype valueStart = m_i;
                qsizetype valueEnd;
                if (m_i < m_s.size() && (m_s[m_i] == u'"' || m_s[m_i] == u'\'')) {
                    const qsizetype close = m_s.indexOf(m_s[m_i], m_i + 1);
                    valueStart = m_i + 1;
                    valueEnd = close < 0 ? m_s.size() : close;
                    m_i = close < 0 ? m_s.size() : close + 1;
                } else {
                    while (m_i < m_s.size() && !IsSpace(m_s[m_i]) && m_s[m_i] != u'>')
                        ++m_i;
                    valueEnd = m_i;
                }
                a.value = Decode(QStringView(m_s).mid(valueStart, valueEnd - valueStart));
            }
            t.attributes.append(a);
        }
    }

    const QString& m_s;
    qsizetype m_i = 0;
    QString m_rawEnd;
};

QString Escape(const QString& s)
{
    return s.toHtmlEscaped();
}

// The scheme of an address as a browser sees it: tabs and line breaks
// inside it are dropped, spaces around it too.
QString Scheme(QString address)
{
    address.remove(QRegularExpression(QStringLiteral("[\\t\\n\\r]")));
    return QUrl(address.trimmed()).scheme().toLower();
}

bool IsEmoticon(const QString& address)
{
    return !ResAddress::ResourceFor(QUrl(address.trimmed())).isEmpty();
}

bool IsWeb(const QString& scheme)
{
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

bool SimpleValue(const QString& value)
{
    static const QRegularExpression simple(QStringLiteral("^[\\w\\s#%.,\"'+-]{0,200}$"));
    return simple.match(value).hasMatch();
}

// The declarations of a style attribute that only format text.
QString FilterStyle(const QString& style)
{
    static const QRegularExpression colour(QStringLiteral("^rgba?\\([\\d\\s.,%]*\\)$"));
    QStringList kept;
    const QStringList declarations = style.split(u';', Qt::SkipEmptyParts);
    for (const QString& d : declarations) {
        const qsizetype colon = d.indexOf(u':');
        if (colon < 0)
            continue;
        const QString property = d.left(colon).trimmed().toLower();
        const QString value = d.mid(colon + 1).trimmed();
        if (StyleProperties().contains(property) &&
            (SimpleValue(value) || colour.match(value).hasMatch()))
            kept << property + QStringLiteral(": ") + value;
    }
    return kept.join(QStringLiteral("; "));
}

// An attribute as the editor keeps it, or empty.
QString EditorAttribute(const QString& element, const TAttribute& a, bool remoteImages)
{
    QString value;
    if (a.name == QLatin1String("style")) {
        value = FilterStyle(a.value);
    } else if (a.name == QLatin1String("href")) {
        const QString scheme = Scheme(a.value);
        if (IsWeb(scheme) || scheme == QLatin1String("mailto"))
            value = a.value.trimmed();
    } else if (a.name == QLatin1String("src")) {
        if (IsEmoticon(a.value) || (remoteImages && IsWeb(Scheme(a.value))))
            value = a.value.trimmed();
    } else if (a.name == QLatin1String("alt") || a.name == QLatin1String("title")) {
        value = a.value.left(1000);
    } else if (a.name == QLatin1String("dir") ||
               (a.name == QLatin1String("align") && Aligned().contains(element)) ||
               EditorAttributes().value(element).contains(a.name)) {
        if (SimpleValue(a.value))
            value = a.value;
    }
    if (value.isEmpty())
        return {};
    return QStringLiteral(" %1=\"%2\"").arg(a.name, Escape(value));
}

// Writes the filtered document: tags that pass, text, and the end tags of
// whatever is still open at the end.
class TWriter {
public:
    TWriter(bool editor, bool remoteImages) : m_editor(editor), m_remoteImages(remoteImages) {}

    void Take(const TToken& t)
    {
        if (!m_dropping.isEmpty()) {
            // Inside an element that goes whole: only its own nesting counts.
            if (t.name == m_dropping && t.kind == TToken::Start && !Void().contains(t.name))
                ++m_dropDepth;
            else if (t.name == m_dropping && t.kind == TToken::End && --m_dropDepth == 0)
                m_dropping.clear();
            return;
        }
        switch (t.kind) {
        case TToken::Text:
            m_out += t.text.toString()
                         .replace(u'<', QLatin1String("&lt;"))
                         .replace(u'>', QLatin1String("&gt;"));
            break;
        case TToken::Start:
            if (DroppedWhole().contains(t.name)) {
                m_dropping = t.name;
                m_dropDepth = 1;
            } else if (m_editor) {
                EditorStart(t);
            } else {
                PlainStart(t);
            }
            break;
        case TToken::End:
            if (m_editor)
                EditorEnd(t.name);
            else if (Blocks().contains(t.name))
                LineBreak();
            break;
        }
    }

    QString Finish()
    {
        while (!m_open.isEmpty())
            m_out += QStringLiteral("</%1>").arg(m_open.takeLast());
        if (!m_editor && m_out.endsWith(QLatin1String("<br>")))
            m_out.chop(4);
        return m_out;
    }

private:
    void EditorStart(const TToken& t)
    {
        if (!EditorElements().contains(t.name))
            return;
        const bool isVoid = Void().contains(t.name);
        if (!isVoid && m_open.size() >= MaxDepth)
            return;
        QString attributes;
        for (const TAttribute& a : t.attributes)
            attributes += EditorAttribute(t.name, a, m_remoteImages);
        if (t.name == QLatin1String("img") && !attributes.contains(QLatin1String(" src=")))
            return;
        m_out += QLatin1Char('<') + t.name + attributes + QLatin1Char('>');
        if (!isVoid)
            m_open.append(t.name);
    }

    void EditorEnd(const QString& name)
    {
        // Closes everything opened since the element's start; an end tag
        // of nothing open is dropped.
        const qsizetype at = m_open.lastIndexOf(name);
        if (at < 0)
            return;
        while (m_open.size() > at)
            m_out += QStringLiteral("</%1>").arg(m_open.takeLast());
    }

    void PlainStart(const TToken& t)
    {
        if (t.name == QLatin1String("br")) {
            m_out += QLatin1String("<br>");
        } else if (t.name == QLatin1String("img")) {
            for (const TAttribute& a : t.attributes)
                if (a.name == QLatin1String("src") && IsEmoticon(a.value))
                    m_out += QStringLiteral("<img src=\"%1\">").arg(Escape(a.value.trimmed()));
        } else if (Blocks().contains(t.name)) {
            LineBreak();
        }
    }

    void LineBreak()
    {
        if (!m_out.isEmpty() && !m_out.endsWith(QLatin1String("<br>")))
            m_out += QLatin1String("<br>");
    }

    const bool m_editor;
    const bool m_remoteImages;
    QString m_out;
    QStringList m_open;
    QString m_dropping;
    int m_dropDepth = 0;
};

QString Filter(const QString& html, bool editor, bool remoteImages)
{
    if (html.size() > MaxChars)
        return {};
    TTokenizer tokens(html);
    TWriter writer(editor, remoteImages);
    TToken t;
    while (tokens.Next(t))
        writer.Take(t);
    return writer.Finish();
}

} // namespace

QString ForEditor(const QString& html, bool remoteImages)
{
    return Filter(html, true, remoteImages);
}

QString ForPlainInput(const QString& html)
{
    return Filter(html, false, false);
}

QString FromText(const QString& text)
{
    QString html = text.toHtmlEscaped();
    html.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    html.replace(u'\n', QLatin1String("<br>"));
    return html;
}

} // namespace HtmlFilter
