#include "chat/uChat.h"

#include "app/Application.h"
#include "base/FocusReturn.h"
#include "base/WindowLook.h"
#include "chat/RichEdit.h"
#include "controls/xpButton.h"
#include "htmlview/HtmlView.h"

#include <QApplication>
#include <QHideEvent>
#include <QVBoxLayout>

namespace {

constexpr QPoint DesignPosition(584, 336);
constexpr QSize DesignSize(539, 396);

} // namespace

TfChat::TfChat(QWidget* parent, TBuild build) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Chat"));
    SetWindowLook(this);
    // Placed as designed, not centred.
    move(DesignPosition);
    resize(DesignSize);
    if (build == TBuild::Now) {
        BuildControls();
        WireHandlers();
    }
    new TFocusReturn(this);
}

void TfChat::setVisible(bool visible)
{
    // Built before the window is shown, the controls are shown with it.
    if (visible && !web) {
        BuildControls();
        WireHandlers();
    }
    QWidget::setVisible(visible);
}

TfChat::~TfChat()
{
    // Only the end of the program destroys the start-up chat window; its
    // reference must not outlive it.
    if (fChat == this)
        fChat = nullptr;
}

TfChat* TfChat::ForNewConversation()
{
    // The start-up window is never shown; only a window the user closed
    // is taken again.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* chat = qobject_cast<TfChat*>(w); chat && chat != fChat && chat->m_closed) {
            chat->MakeAsNew();
            return chat;
        }
    return new TfChat();
}

void TfChat::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Minimizing sends a hide event too, but the window stays visible.
    if (!event->spontaneous() && !isVisible())
        m_closed = true;
}

void TfChat::MakeAsNew()
{
    m_closed = false;
    setWindowState(Qt::WindowNoState);
    setWindowTitle(QStringLiteral("Chat"));
    move(DesignPosition);
    resize(DesignSize);
    // Clearing also empties the undo history: nothing of the last
    // conversation comes back.
    re->clear();
    // The first control in the tab order takes the focus again when shown.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
}

void TfChat::BuildControls()
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The transcript: nothing is loaded into it, so its engine never starts.
    web = new THtmlView(this);
    web->setAccessibleName(QStringLiteral("Chat transcript"));
    web->SetUp(NO3DBORDER | FLAT_SCROLLBAR, QStringLiteral("&w&bPage &p of &P"),
               QStringLiteral("&u&b&d"), true);
    column->addWidget(web, 1);

    // The bottom strip keeps its height; the transcript takes the rest.
    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(72);
    column->addWidget(Panel1);

    re = new TRichEdit(Panel1);
    re->setGeometry(8, 8, 457, 57);
    re->setAcceptRichText(true);
    re->setAccessibleName(QStringLiteral("Message"));
    // Tab goes on to "Send"; a tab character has no place in a chat line.
    re->setTabChangesFocus(true);
    // Flat: one thin line, no sunken border.
    re->setStyleSheet(QStringLiteral("QTextEdit { border: 1px solid palette(mid); }"));

    xpButton1 = new TxpButton(Panel1);
    xpButton1->setGeometry(468, 8, 65, 57);
    xpButton1->SetCaption(QStringLiteral("Send"));
    xpButton1->SetFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    xpButton1->SetTabStop(true);
    setTabOrder(re, xpButton1);
}

void TfChat::WireHandlers()
{
    xpButton1->OnClick = [this](QObject* Sender) {
        xpButton1Click(Sender);
    };
}

void TfChat::xpButton1Click(QObject*) {}
