#include "chat/RichEdit.h"

#include <QMimeData>

namespace {

bool HasContent(const QMimeData* source)
{
    return source && !source->formats().isEmpty();
}

} // namespace

bool TRichEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return HasContent(source) && QTextEdit::canInsertFromMimeData(source);
}

void TRichEdit::insertFromMimeData(const QMimeData* source)
{
    if (HasContent(source))
        QTextEdit::insertFromMimeData(source);
}
