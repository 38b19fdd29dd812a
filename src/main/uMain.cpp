#include "main/uMain.h"

#include "app/Application.h"
#include "app/FadeIn.h"
#include "app/HintStyle.h"
#include "app/uUtils.h"
#include "appbar/uAppbar.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>

TfMain::TfMain(QWidget* parent) : QMainWindow(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Zentro"));
    setMinimumSize(480, 360);
    resize(800, 600);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());

    Fade = new TFadeIn(this, [this] { FadeInCompleted(); });
    // Invisible from creation until the fade runs.
    Fade->SetBlending(true, 0);

    QMenu* file = menuBar()->addMenu(QStringLiteral(" &File "));
    Action23 = file->addAction(QStringLiteral("&Exit"));
    connect(Action23, &QAction::triggered, this, &TfMain::Action23Execute);
    QMenu* view = menuBar()->addMenu(QStringLiteral(" &View "));
    QMenu* style = view->addMenu(QStringLiteral("&View Style"));
    Action32 = style->addAction(QStringLiteral("&Full Mode"));
    Action32->setCheckable(true);
    Action32->setChecked(true);
    connect(Action32, &QAction::triggered, this, &TfMain::Action32Execute);
    Action33 = style->addAction(QStringLiteral("&Messenger Mode"));
    connect(Action33, &QAction::triggered, this, &TfMain::Action33Execute);
    Action34 = style->addAction(QStringLiteral("&AppBar Mode"));
    connect(Action34, &QAction::triggered, this, &TfMain::Action34Execute);

    FormCreate();
}

TfMain::~TfMain()
{
    // FormDestroy
    if (fMain == this)
        fMain = nullptr;
}

void TfMain::FormCreate()
{
    SetApplicationHintDelay(1);
    SetDoubleBufferedDeep(this);
    StartFadeIn();
}

void TfMain::StartFadeIn()
{
    Fade->StartFadeIn();
}

void TfMain::tmrShowTimer()
{
    Fade->tmrShowTimer();
}

void TfMain::FadeInCompleted() {}

void TfMain::closeEvent(QCloseEvent* event)
{
    // FormCloseQuery allows every close; FormClose frees (WA_DeleteOnClose).
    event->accept();
}

void TfMain::Action23Execute()
{
    close();
}

void TfMain::Action32Execute()
{
    // Already in Full Mode; the check mark is fixed.
    Action32->setChecked(true);
}

void TfMain::Action33Execute()
{
    if (fAppBar)
        fAppBar->sbMessenger->click();
}

void TfMain::Action34Execute()
{
    close();
}
