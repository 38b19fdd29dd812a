#include "app/Application.h"

#include "appbar/uAppbar.h"
#include "base/AppSetup.h"
#include "base/AppState.h"
#include "base/FontCache.h"
#include "base/FontFaces.h"
#include "chat/uChat.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

TfAppBar* fAppBar = nullptr;
TfChat* fChat = nullptr;
TfMain* fMain = nullptr;
TfMessenger* fMessenger = nullptr;

TViewMode CurrentViewMode()
{
    if (fMain)
        return TViewMode::vmFull;
    if (fMessenger)
        return TViewMode::vmMessenger;
    return TViewMode::vmAppBar;
}

void CreateStartupWindows()
{
    fAppBar = new TfAppBar();
    // The windows' icon, the check of the answers about faces kept from the
    // last run, and the chat window (hidden for the whole run; its
    // transcript never starts the engine) once the bar is on the screen:
    // the bar comes first.
    QObject::connect(
        fAppBar, &TfAppBar::FirstPainted, fAppBar,
        [] {
            SetApplicationIcon();
            ConfirmFontAnswers();
            if (!fChat)
                fChat = new TfChat(nullptr, TfChat::TBuild::WhenShown);
        },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
}

void DeleteOwnerlessWindows()
{
    // Deleting one window can delete others it owns: hold guarded pointers.
    QList<QPointer<QWidget>> windows;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops)
        if (!w->parentWidget())
            windows.append(w);
    for (const QPointer<QWidget>& w : windows)
        delete w.data();
}

void DestroyAllWindows()
{
    SetApplicationTerminating();
    DeleteOwnerlessWindows();
    // The HTML engine hands its surfaces over for deferred deletion: let
    // them go now, before the application object does.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ReleaseFontFaces();
    TFontCache::Instance().Save();
    fAppBar = nullptr;
    fChat = nullptr;
}
