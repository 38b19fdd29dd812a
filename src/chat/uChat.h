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
    // When the window builds its controls. The start-up window is never
    // shown: built only once shown, its text edit does not index every
    // installed font at start-up (about 7 MiB of the program's memory).
    enum class TBuild { Now, WhenShown };

    explicit TfChat(QWidget* parent = nullptr, TBuild build = TBuild::Now);
    ~TfChat() override;

    // A chat window for a further conversation: one the user has closed,
    // made as it was new, or else a new one. Each hidden window would keep
    // its window-system image for the rest of the run.
    static TfChat* ForNewConversation();

    void setVisible(bool visible) override;

    // Null until the controls are built.
    THtmlView* web = nullptr;
    QWidget* Panel1 = nullptr;
    QTextEdit* re = nullptr;
    TxpButton* xpButton1 = nullptr;

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
