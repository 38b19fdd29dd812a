#include "htmlengine/HtmlEngineView.h"

#include "htmlengine/HtmlPage.h"
#include "htmlengine/HtmlProfile.h"
#include "htmlengine/HtmlRequestPolicy.h"
#include "htmlengine/ResSchemeHandler.h"
#include "htmlview/HtmlViewOptions.h"
#include "htmlview/SharedGlContext.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QQuickWindow>
#include <QWebChannel>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <type_traits>
#include <utility>

namespace {

// The engine's widget draws its pages in software, as pictures painted
// like any widget: drawn with GL, it would make its whole window
// GL-composed, and every caret blink anywhere in the window would compose
// all of it again (with software GL, several per cent of a core for a
// window left alone). But drawn in software the engine shows its pages'
// content to no screen reader: while one is listening, the pages are drawn
// with GL.
// Asked once, when the library loads: Qt's own bridge may not have heard
// from the accessibility bus yet, so the bus is asked too.
bool AssistiveToolsListening()
{
    if (QAccessible::isActive())
        return true;
    // Linked into a program (the tests), it loads before the application.
    if (!QCoreApplication::instance())
        return false;
    for (const char* property : {"ScreenReaderEnabled", "IsEnabled"}) {
        QDBusMessage get = QDBusMessage::createMethodCall(
            QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << QStringLiteral("org.a11y.Status") << QString::fromLatin1(property);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(get, QDBus::Block, 500);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
            reply.arguments().first().value<QDBusVariant>().variant().toBool())
            return true;
    }
    return false;
}

// Qt reads the variable that tells it there is no GL once, when the
// engine starts; it is taken away again then, so that the programs opened
// from here (a browser for a link) keep their GL.
bool NoGlForTheEngineStart = false;

// Pages drawn with GL go through contexts shared with the windows'. A
// program that links the library gets the shared context with its
// application object; loaded late, the library is given one, made here
// before the engine starts, and the windows compose with it from then on.
// Pages drawn in software leave it unmade and tell Qt that this program
// draws nothing with GL: no GL library is loaded, which spares the
// program the software rasteriser and its compiler, about 50 MiB that
// stayed after the last view.
void PrepareGraphics(bool software)
{
    if (software) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION")) {
            qputenv("QT_XCB_GL_INTEGRATION", "none");
            NoGlForTheEngineStart = true;
        }
        return;
    }
    QOpenGLContext* context = qt_gl_global_share_context();
    if (!context || context->isValid() || context->create())
        return;
    // No GL here (the offscreen platform): the engine paints in software.
    qt_gl_set_global_share_context(nullptr);
    delete context;
}

const bool SoftwarePages = [] {
    const bool software = !AssistiveToolsListening();
    PrepareGraphics(software);
    return software;
}();

// Loaded into a program that does not link it, the library is loaded late,
// and the scheme must be known before the engine's first profile; linked,
// it is loaded before the application object, and the engine needs shared
// GL contexts from the start.
[[maybe_unused]] const bool PreparedForViews = [] {
    if (!QCoreApplication::instance())
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TResSchemeHandler::RegisterScheme();
    return true;
}();

QString ReadResource(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// The bridge, with the web channel's client before it, injected into the
// program's own world at the creation of every document. The program holds
// the bridge's script among its resources.
QWebEngineScript BridgeScript()
{
    static const QString source = ReadResource(QStringLiteral(":/qtwebchannel/qwebchannel.js")) +
                                  QLatin1Char('\n') +
                                  ReadResource(QStringLiteral(":/htmlview/bridge.js"));
    QWebEngineScript script;
    script.setName(QStringLiteral("zentro-bridge"));
    script.setSourceCode(source);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    return script;
}

TContextMenuKind MenuKind(const QWebEngineContextMenuRequest* request)
{
    if (!request)
        return cmDefault;
    if (request->linkUrl().isValid())
        return cmAnchor;
    if (request->mediaType() == QWebEngineContextMenuRequest::MediaTypeImage)
        return cmImage;
    if (!request->selectedText().isEmpty())
        return cmTextSelect;
    return cmDefault;
}

} // namespace

THtmlEngineView::THtmlEngineView(QWidget* parent, QObject* bridge, const TEvents& events)
    : m_events(events), m_policy(new THtmlRequestPolicy(this)), m_view(new QWebEngineView(parent))
{
    // The engine paints through a surface of its own.
    m_view->setProperty("zentroForeignSurface", true);
    // Drawn with GL, the engine's widget paints into a texture, but makes
    // the widget that does so only once a page renders. A window that gains
    // such a child once it is shown is made anew, a second native window (a
    // blink, a second placement, the fade again); with this hidden one it
    // gets that surface when it is first created. Hidden, it never draws.
    // The offscreen platform composes no widgets with OpenGL.
    if (!SoftwarePages && QGuiApplication::platformName() != QLatin1String("offscreen") &&
        QOpenGLContext::globalShareContext()) {
        auto* surface = new QOpenGLWidget(parent);
        surface->setProperty("zentroForeignSurface", true);
        surface->hide();
    }
    m_page = new THtmlPage(THtmlProfile::Acquire(), m_events.Editing, m_view);
    if (std::exchange(NoGlForTheEngineStart, false))
        qunsetenv("QT_XCB_GL_INTEGRATION");
    m_page->setUrlRequestInterceptor(m_policy);
    m_channel = new QWebChannel(m_page);
    m_channel->registerObject(QStringLiteral("host"), bridge);
    m_page->setWebChannel(m_channel, QWebEngineScript::ApplicationWorld);
    m_page->scripts().insert(BridgeScript());

    QWebEngineSettings* s = m_page->settings();
    // The pages' own scripts never run, and they reach no local file.
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::LocalStorageEnabled, false);
    s->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    // A file dropped on an editor would replace the message being written.
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    // Only the bridge runs script; these let its clipboard commands act.
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanPaste, true);

    connect(m_page, &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo& info) {
                // A refused navigation stops at once and leaves the document
                // as it was; a loaded page, or the engine's page for a failed
                // load, is a new document.
                if (info.status() != QWebEngineLoadingInfo::LoadSucceededStatus &&
                    info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
                    return;
                // The engine sometimes leaves the bridge out of the first
                // document of a page that follows a renderer's crash: put it
                // in before the view talks to it.
                static const QString late =
                    QStringLiteral("if (!window.zentro) {\n%1\n}").arg(BridgeScript().sourceCode());
                m_page->runJavaScript(late, QWebEngineScript::ApplicationWorld);
                if (m_events.LoadFinished)
                    m_events.LoadFinished();
            });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status != QWebEnginePage::NormalTerminationStatus && m_events.RendererLost)
                    m_events.RendererLost();
            });
    connect(m_page, &QWebEnginePage::linkHovered, this, [this](const QString& url) {
        if (m_events.LinkHovered)
            m_events.LinkHovered(url);
    });
    m_view->setPage(m_page);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QPoint global = m_view->mapToGlobal(pos);
        if (m_events.ContextMenu &&
            m_events.ContextMenu(MenuKind(m_view->lastContextMenuRequest()), global))
            return;
        QMenu* menu = m_view->createStandardContextMenu();
        // Pastes go through the view's filter, never the engine's own.
        for (const auto paste : {QWebEnginePage::Paste, QWebEnginePage::PasteAndMatchStyle})
            menu->removeAction(m_page->action(paste));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(global);
    });
}

THtmlEngineView::~THtmlEngineView()
{
    // The page uses the policy and the bridge: it goes first, and before
    // its profile.
    delete m_view;
    THtmlProfile::Release();
}

QWidget* THtmlEngineView::Widget() const
{
    return m_view;
}

void THtmlEngineView::Load(const QUrl& url)
{
    m_view->setUrl(url);
}

QUrl THtmlEngineView::Url() const
{
    return m_view->url();
}

void THtmlEngineView::Stop()
{
    m_view->stop();
}

void THtmlEngineView::Apply(const TSettings& settings)
{
    m_policy->SetDownloadFlags(settings.DownloadFlags);
    m_policy->SetUserAgent(m_page->profile()->httpUserAgent().toUtf8(), settings.UserAgentToken);
    QWebEngineSettings* s = m_page->settings();
    s->setAttribute(QWebEngineSettings::AutoLoadImages, settings.Images);
    s->setAttribute(QWebEngineSettings::ShowScrollBars, settings.ScrollBars);
    m_page->setAudioMuted(!settings.Sound);
}

void THtmlEngineView::Trigger(TAction action)
{
    static constexpr QWebEnginePage::WebAction actions[] = {
        QWebEnginePage::Cut,  QWebEnginePage::Copy, QWebEnginePage::Paste,
        QWebEnginePage::Undo, QWebEnginePage::Redo, QWebEnginePage::SelectAll,
    };
    m_page->triggerAction(actions[int(action)]);
}

void THtmlEngineView::RunScript(const QString& source,
                                const std::function<void(const QVariant&)>& result)
{
    if (result)
        m_page->runJavaScript(source, QWebEngineScript::ApplicationWorld, result);
    else
        m_page->runJavaScript(source, QWebEngineScript::ApplicationWorld);
}

extern "C" Q_DECL_EXPORT THtmlEngine* ZentroCreateHtmlEngine(QWidget* parent, QObject* bridge,
                                                             const THtmlEngine::TEvents& events)
{
    return new THtmlEngineView(parent, bridge, events);
}
static_assert(std::is_same_v<decltype(&ZentroCreateHtmlEngine), THtmlEngineFactory>);
