#include "contacts/uMessenger.h"

#include "app/Application.h"
#include "app/TaskbarEntry.h"
#include "appbar/uAppbar.h"
#include "base/FadeIn.h"
#include "base/HintStyle.h"
#include "base/WindowLook.h"
#include "chat/uChat.h"
#include "contacts/ContactMenu.h"
#include "contacts/ContactTree.h"
#include "contacts/DemoContacts.h"
#include "contacts/StatusImages.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Design sizes: the tree gets what the status panel and bar leave.
constexpr int TreeWidth = 247;
constexpr int TreeHeight = 413;
constexpr int PanelHeight = 27;
constexpr int StatusBarHeight = 19;

} // namespace

// A normal window kept off the taskbar rather than a Qt::Tool window, which
// the window manager would keep above the chat windows it opens.
TfMessenger::TfMessenger(QWidget* parent) : QMainWindow(parent, Qt::Window)
{
    KeepOffTaskbar(this);
    BuildControls();
    BuildMainMenu();
    WireHandlers();
    FormCreate();
}

TfMessenger::~TfMessenger()
{
    // FormDestroy: the next switch to Messenger Mode makes a new window.
    if (fMessenger == this)
        fMessenger = nullptr;
}

void TfMessenger::BuildControls()
{
    setWindowTitle(QStringLiteral("Zentro Messenger"));
    SetWindowLook(this);

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(client);

    ilStatus = NewStatusImageList(this);
    tvContacts = new TContactTree(ilStatus, client);
    layout->addWidget(tvContacts, 1);
    ZmPopupMenu2 = new TContactMenu(tvContacts, this);

    Panel1 = new QWidget(client);
    Panel1->setFixedHeight(PanelHeight);
    layout->addWidget(Panel1);
    Label1 = new QLabel(QStringLiteral("My Status"), Panel1);
    Label1->move(4, 8);
    Label1->adjustSize(); // sized to its text
    cbStatus = new QComboBox(Panel1);
    cbStatus->setGeometry(56, 4, 185, 21);
    // Flat: one thin line; rows of 13 pixels in its list.
    cbStatus->setStyleSheet(QStringLiteral("QComboBox { border: 1px solid palette(mid); "
                                           "combobox-popup: 0; } "
                                           "QComboBox QAbstractItemView::item { height: 13px; }"));
    cbStatus->addItems({QStringLiteral("Fucked up"), QStringLiteral("Dead"),
                        QStringLiteral("Still alive, but dying"), QStringLiteral("Weird")});
    cbStatus->setCurrentIndex(0);
    // The label names the list (to a screen reader too).
    Label1->setBuddy(cbStatus);
    setTabOrder(tvContacts, cbStatus);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setFixedHeight(StatusBarHeight);
    // A widget rather than a message: menus would clear a message. Like a
    // panel's text it is cut off when the window is narrower.
    auto* simpleText = new QLabel(QStringLiteral("TODO: Does this window need ADVERTISING?"));
    simpleText->setMinimumWidth(1);
    StatusBar1->addWidget(simpleText, 1);
    setStatusBar(StatusBar1);

    Fade = new TFadeIn(this, nullptr);
}

void TfMessenger::BuildMainMenu()
{
    View1 = menuBar()->addMenu(QStringLiteral("View"));
    ViewStyle1 = View1->addMenu(QStringLiteral("View Style"));
    FullMode1 = ViewStyle1->addAction(QStringLiteral("Full Mode"));
    MessengerMode1 = ViewStyle1->addAction(QStringLiteral("Messenger Mode"));
    MessengerMode1->setCheckable(true);
    MessengerMode1->setChecked(true);
    AppBarMode1 = ViewStyle1->addAction(QStringLiteral("AppBar Mode"));
    N1 = View1->addSeparator();
    Close1 = View1->addAction(QStringLiteral("Close"));

    // The client area holds the tree at its design size above the panel
    // and the status bar; the frame is the platform's.
    resize(TreeWidth, menuBar()->sizeHint().height() + TreeHeight + PanelHeight + StatusBarHeight);
    move(542, 356);
    PlaceOnOpenersMonitor(this, nullptr);
}

void TfMessenger::WireHandlers()
{
    connect(tvContacts, &TContactTree::DblClick, this, &TfMessenger::tvContactsDblClick);
    connect(FullMode1, &QAction::triggered, this, &TfMessenger::FullMode1Click);
    // "Messenger Mode" has no handler; its check mark is fixed.
    connect(MessengerMode1, &QAction::toggled, MessengerMode1,
            [this] { MessengerMode1->setChecked(true); });
    connect(AppBarMode1, &QAction::triggered, this, &TfMessenger::AppBarMode1Click);
    connect(Close1, &QAction::triggered, this, &TfMessenger::Close1Click);
}

void TfMessenger::FormCreate()
{
    SetApplicationHintDelay(1);
    BuildDemoContacts(tvContacts);
    SetDoubleBufferedDeep(this);
    StartFadeIn();
}

// A chat window for the contact; every double-click opens a further one.
// The application owns it: closing only hides it, and a closed one serves
// the next double-click as a new window would.
void TfMessenger::tvContactsDblClick()
{
    const TContactNode* node = tvContacts->CurrentNode();
    // A double-click on empty space clears the selection but not the
    // current row: that row must not open a chat.
    if (!node || !node->Selected() || !node->IsContact())
        return;
    TfChat* chat = TfChat::ForNewConversation();
    chat->setWindowTitle(QStringLiteral("Chat with ") + node->Text());
    PlaceOnOpenersMonitor(chat, this);
    ShowInFront(chat);
}

// The status icons stand at the right edge of every row.
void TfMessenger::FormResize()
{
    tvContacts->Repaint();
}

void TfMessenger::FormClose()
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void TfMessenger::StartFadeIn()
{
    Fade->StartFadeIn();
}

void TfMessenger::tmrShowTimer()
{
    Fade->tmrShowTimer();
}

void TfMessenger::FullMode1Click()
{
    if (fAppBar)
        fAppBar->sbFull->click();
}

void TfMessenger::AppBarMode1Click()
{
    close();
}

void TfMessenger::Close1Click()
{
    close();
}

void TfMessenger::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfMessenger::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}
