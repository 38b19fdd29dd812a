#include "app/Application.h"

#include "app/Artwork.h"
#include "app/HintStyle.h"
#include "appbar/uAppbar.h"
#include "chat/uChat.h"
#include "htmlview/ResSchemeHandler.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QPointer>
#include <QWidget>

TfAppBar* fAppBar = nullptr;
TfChat* fChat = nullptr;
TfMain* fMain = nullptr;
TfMessenger* fMessenger = nullptr;

namespace {
bool g_terminating = false;
QString g_title = QStringLiteral("Zentro");

// A window built on a plain widget is a window to a screen reader, not a
// filler.
QAccessibleInterface* PlainWindowAccessible(const QString& className, QObject* object)
{
    auto* w = qobject_cast<QWidget*>(object);
    if (!w || !w->isWindow() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip ||
        className != QLatin1String(w->metaObject()->className()) ||
        w->metaObject()->superClass() != &QWidget::staticMetaObject)
        return nullptr;
    return new QAccessibleWidget(w, QAccessible::Window);
}
} // namespace

TViewMode CurrentViewMode()
{
    if (fMain)
        return TViewMode::vmFull;
    if (fMessenger)
        return TViewMode::vmMessenger;
    return TViewMode::vmAppBar;
}

bool ApplicationTerminating()
{
    return g_terminating;
}

QString ApplicationTitle()
{
    return g_title;
}

void SetApplicationTitle(const QString& title)
{
    g_title = title;
}

void PrepareApplication()
{
    // The HTML engine, now linked, needs shared GL contexts set up before
    // the application object (it would crash on X11 without).
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The editor's pictures come through the "res" scheme, which the
    // engine accepts only when it is known before the application object.
    TResSchemeHandler::RegisterScheme();
}

void SetUpApplication(QApplication& app)
{
    QCoreApplication::setApplicationName(QStringLiteral("Zentro"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zentro"));
    QGuiApplication::setApplicationDisplayName(QString());
    app.setQuitOnLastWindowClosed(false);
    // Every window shows Zentro's icon unless it has one of its own.
    QApplication::setWindowIcon(Artwork::Icon(QStringLiteral("app/zentro")));
    InstallHintStyle(app);
    QAccessible::installFactory(PlainWindowAccessible);
    // The windows ask for the classic UI faces by name. Without them the
    // font matcher falls back to a face about a fifth wider, which cuts
    // captions off; the metric-compatible sans face keeps their widths.
    for (const char* family : {"MS Sans Serif", "Tahoma", "Default", "Arial"})
        QFont::insertSubstitution(QString::fromLatin1(family), QStringLiteral("Liberation Sans"));
}

void CreateStartupWindows()
{
    fAppBar = new TfAppBar();
    // Hidden for the whole run; its transcript never starts the engine.
    fChat = new TfChat();
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
    g_terminating = true;
    DeleteOwnerlessWindows();
    // The HTML engine hands its surfaces over for deferred deletion: let
    // them go now, before the application object does.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    fAppBar = nullptr;
    fChat = nullptr;
}
