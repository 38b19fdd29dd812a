#pragma once

#include <QTextEdit>

// The chat window's input. What is pasted or dropped into it is reduced to
// its text and the program's emoticons before it goes in, and the input
// loads no picture but an emoticon: a file, a device, a pipe or an address
// named in pasted markup is never opened. (The clipboard can also hold
// data with no format at all, which Qt 6.4's text edit would read without
// looking: such data is refused, so pasting it does nothing.)
class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    using QTextEdit::QTextEdit;

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
