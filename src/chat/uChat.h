#pragma once

#include <QWidget>

class QTextEdit;
class THtmlView;
class TxpButton;

// The conversation window for one contact: a transcript above an input
// line and a "Send" button. It is a layout only: the caption names the
// contact, nothing is ever loaded into the transcript and "Send" sends
// nothing. Closing hides it.
class TfChat : public QWidget {
    Q_OBJECT
public:
    explicit TfChat(QWidget* parent = nullptr);
    ~TfChat() override;

    THtmlView* web;
    QWidget* Panel1;
    QTextEdit* re;
    TxpButton* xpButton1;

    void xpButton1Click(QObject* Sender);

private:
    void BuildControls();
    void WireHandlers();
};
