#pragma once

#include <QTextEdit>

// The chat window's input. The clipboard can hold data with no format at
// all (what is left after copying an empty selection), and Qt 6.4's text
// edit reads the first format of pasted data without looking whether there
// is one: such data is refused here, so pasting it does nothing.
class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    using QTextEdit::QTextEdit;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
