#include "contacts/uMessenger.h"

#include "app/Application.h"
#include "app/FadeIn.h"
#include "app/HintStyle.h"
#include "app/uUtils.h"
#include "appbar/uAppbar.h"

#include <QAction>
#include <QMenuBar>
#include <QToolButton>

TfMessenger::TfMessenger(QWidget* parent) : QMainWindow(parent, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Zentro Messenger"));
    move(542, 356);
    resize(247, 478);

    Fade = new TFadeIn(this, nullptr);

    QMenu* View1 = menuBar()->addMenu(QStringLiteral("View"));
    QMenu* ViewStyle1 = View1->addMenu(QStringLiteral("View Style"));
    FullMode1 = ViewStyle1->addAction(QStringLiteral("Full Mode"));
    connect(FullMode1, &QAction::triggered, this, &TfMessenger::FullMode1Click);
    MessengerMode1 = ViewStyle1->addAction(QStringLiteral("Messenger Mode"));
    MessengerMode1->setCheckable(true);
    MessengerMode1->setChecked(true);
    connect(MessengerMode1, &QAction::triggered, MessengerMode1,
            [this] { MessengerMode1->setChecked(true); });
    AppBarMode1 = ViewStyle1->addAction(QStringLiteral("AppBar Mode"));
    connect(AppBarMode1, &QAction::triggered, this, &TfMessenger::AppBarMode1Click);
    View1->addSeparator();
    Close1 = View1->addAction(QStringLiteral("Close"));
    connect(Close1, &QAction::triggered, this, &TfMessenger::Close1Click);

    FormCreate();
}

TfMessenger::~TfMessenger()
{
    // FormDestroy
    if (fMessenger == this)
        fMessenger = nullptr;
}

void TfMessenger::FormCreate()
{
    SetApplicationHintDelay(1);
    SetDoubleBufferedDeep(this);
    StartFadeIn();
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
