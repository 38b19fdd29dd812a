#include "chat/RichEdit.h"

#include "htmlview/HtmlFilter.h"
#include "htmlview/ResAddress.h"

#include <QImage>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

namespace {

bool HasContent(const QMimeData* source)
{
    return source && (source->hasHtml() || source->hasText());
}

} // namespace

QVariant TRichEdit::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::ImageResource) {
        const QString emoticon = ResAddress::ResourceFor(name);
        // Anything but empty keeps the document from opening the name as a
        // file itself.
        QImage picture = emoticon.isEmpty() ? QImage() : QImage(emoticon);
        if (picture.isNull()) {
            picture = QImage(1, 1, QImage::Format_ARGB32);
            picture.fill(Qt::transparent);
        }
        return picture;
    }
    return QString();
}

bool TRichEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return HasContent(source);
}

void TRichEdit::insertFromMimeData(const QMimeData* source)
{
    if (!HasContent(source))
        return;
    const QString content = source->hasHtml() ? source->html() : source->text();
    if (content.size() > HtmlFilter::MaxChars)
        return;
    if (source->hasHtml())
        textCursor().insertHtml(HtmlFilter::ForPlainInput(content));
    else
        textCursor().insertText(content);
    ensureCursorVisible();
}
