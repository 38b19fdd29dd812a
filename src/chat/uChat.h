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

    // A chat window for a further conversation: one the user has closed,
    // made as it was new, or else a new one. Each hidden window would keep
    // its window-system image for the rest of the run.
    static TfChat* ForNewConversation();

    THtmlView* web;
    QWidget* Panel1;
    QTextEdit* re;
    TxpButton* xpButton1;

    void xpButton1Click(QObject* Sender);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    void WireHandlers();
    // Back to the state a new window starts in.
    void MakeAsNew();

    bool m_closed = false;
};
