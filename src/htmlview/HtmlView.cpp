#include "htmlview/HtmlView.h"

#include "base/AppState.h"
#include "htmlview/HtmlBridge.h"
#include "htmlview/HtmlPage.h"
#include "htmlview/HtmlRequestPolicy.h"
#include "htmlview/HtmlValues.h"
#include "htmlview/ResSchemeHandler.h"
#include "htmlview/UrlDialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <cfenv>
#include <utility>

namespace {

// A program that holds HTML views needs two things before its application
// object exists: shared GL contexts (the engine, loaded later without them,
// crashes on X11) and the "res" scheme (the engine accepts a scheme only
// when it is known before the application object). Done when the program
// is loaded, so that no program of views can forget them.
[[maybe_unused]] const bool PreparedForViews = [] {
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
// program's own world at the creation of every document.
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

QWebEngineProfile* SharedProfile()
{
    // Off the record: the views leave nothing on disk.
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    TResSchemeHandler::InstallOn(profile);
    return profile;
}

// A command value as the engine takes it: colours as "#rrggbb", sizes as
// text, false as no value.
QVariant EngineValue(const QString& command, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QVariant(QStringLiteral("true")) : QVariant();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        if (command == QLatin1String("forecolor") || command == QLatin1String("backcolor") ||
            command == QLatin1String("hilitecolor"))
            return HtmlValues::ColorText(quint32(value.toLongLong()));
        return QString::number(value.toLongLong());
    default:
        return value.toString();
    }
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

// A page that kills the renderer again within RestoreGraceMs of being put
// back, MaxRestores times in a row, is given up on and the view left empty.
constexpr int MaxRestores = 3;
constexpr qint64 RestoreGraceMs = 10000;

} // namespace

THtmlView::THtmlView(QWidget* parent)
    : QFrame(parent), m_printOptions(std::make_unique<TPrintOptions>()),
      m_layout(new QVBoxLayout(this)), m_bridge(new THtmlBridge(this)),
      m_policy(new THtmlRequestPolicy(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    // The empty area shown until something is loaded.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    SetDownloadOptions(m_downloadOptions);
    SetUserInterfaceOptions(m_userInterfaceOptions);
    connect(m_bridge, &THtmlBridge::Changed, this, [this] {
        if (OnCommandStateChange)
            OnCommandStateChange(this, -1, true);
    });
    connect(m_bridge, &THtmlBridge::ContentChanged, this,
            [this](const QString& html) { m_content = html; });
    // On a display the engine's view paints into a texture. A window that
    // gains such a child once it is shown is made anew, a second native
    // window (a blink, a second placement, the fade again); with this hidden
    // one it gets that surface when it is first created. Hidden, it never
    // draws. The offscreen platform composes no widgets with OpenGL.
    if (QGuiApplication::platformName() != QLatin1String("offscreen") &&
        QOpenGLContext::globalShareContext()) {
        auto* surface = new QOpenGLWidget(this);
        surface->setProperty("zentroForeignSurface", true);
        surface->hide();
    }
}

THtmlView::~THtmlView()
{
    // The page uses the policy and the bridge: it goes first.
    delete m_view;
}

void THtmlView::SetDownloadOptions(TDownloadControlOptions options)
{
    m_downloadOptions = options;
    m_downloadControlFlags = quint32(options.toInt());
    ApplySettings();
}

void THtmlView::SetUserInterfaceOptions(TUserInterfaceOptions options)
{
    m_userInterfaceOptions = options;
    m_hostUIFlags = quint32(options.toInt());
    ApplySettings();
}

void THtmlView::SetfpExceptions(bool on)
{
    m_fpExceptions = on;
    if (on)
        std::fesetenv(FE_DFL_ENV);
    else
        fedisableexcept(FE_ALL_EXCEPT);
}

void THtmlView::SetUserAgent(const QString& token)
{
    m_userAgent = token;
    if (m_view)
        m_policy->SetUserAgent(m_view->page()->profile()->httpUserAgent().toUtf8(), token);
}

void THtmlView::ApplySettings()
{
    setFrameStyle((m_hostUIFlags & NO3DBORDER) ? int(QFrame::NoFrame)
                                               : QFrame::StyledPanel | QFrame::Sunken);
    m_policy->SetDownloadFlags(m_downloadControlFlags);
    if (!m_view)
        return;
    QWebEnginePage* page = m_view->page();
    QWebEngineSettings* s = page->settings();
    s->setAttribute(QWebEngineSettings::AutoLoadImages, m_downloadControlFlags & DLCTL_DLIMAGES);
    s->setAttribute(QWebEngineSettings::ShowScrollBars, !(m_hostUIFlags & SCROLL_NO));
    page->setAudioMuted(!(m_downloadControlFlags & DLCTL_BGSOUNDS));
    RunBridge(QStringLiteral("setOptions"),
              {QVariantMap{{QStringLiteral("flatScrollBars"), bool(m_hostUIFlags & FLAT_SCROLLBAR)},
                           {QStringLiteral("divBlocks"), bool(m_hostUIFlags & DIV_BLOCKDEFAULT)}}});
}

void THtmlView::StartEngine()
{
    if (m_view)
        return;
    m_view = new QWebEngineView(this);
    // The engine paints through a surface of its own.
    m_view->setProperty("zentroForeignSurface", true);
    auto* page = new THtmlPage(SharedProfile(), m_bridge, m_view);
    page->setUrlRequestInterceptor(m_policy);
    m_channel = new QWebChannel(page);
    m_channel->registerObject(QStringLiteral("host"), m_bridge);
    page->setWebChannel(m_channel, QWebEngineScript::ApplicationWorld);
    page->scripts().insert(BridgeScript());

    QWebEngineSettings* s = page->settings();
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

    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        // A refused navigation stops at once and leaves the document as it
        // was; a loaded page, or the engine's page for a failed load, is a
        // new document.
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ||
            info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
            LoadFinished();
    });
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                RenderProcessTerminated(status);
            });
    connect(page, &QWebEnginePage::linkHovered, this, [this](const QString& url) {
        if (OnStatusTextChange)
            OnStatusTextChange(this, url);
    });
    m_view->setPage(page);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QPoint global = m_view->mapToGlobal(pos);
        if (ShowContextMenu(MenuKind(m_view->lastContextMenuRequest()), global) == S_OK)
            return;
        QMenu* menu = m_view->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(global);
    });

    m_layout->addWidget(m_view);
    SetUserAgent(m_userAgent);
    ApplySettings();
}

void THtmlView::LoadFinished()
{
    m_hasDocument = true;
    // Every new document starts with the bridge's defaults.
    ApplySettings();
    if (m_restoring)
        Restore();
    if (OnDocumentComplete)
        OnDocumentComplete(this, m_view->url());
}

void THtmlView::RenderProcessTerminated(int status)
{
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    // Read now: the fresh page's first snapshot says it is not edited.
    if (!m_restoring)
        m_restoreEditing = m_bridge->Editing();
    if (m_restoredAt.isValid() && m_restoredAt.hasExpired(RestoreGraceMs))
        m_restores = 0;
    m_restoring = true;
    m_hasDocument = false;
    m_writing = false;
    if (OnRenderProcessTerminated)
        OnRenderProcessTerminated(this);
    // Not from inside the engine's report of the loss.
    QTimer::singleShot(0, this, [this] {
        if (m_view)
            m_view->setUrl(m_address);
    });
}

void THtmlView::Restore()
{
    m_restoring = false;
    m_restoredAt.start();
    if (++m_restores > MaxRestores)
        return;
    if (!m_content.isEmpty())
        RunBridge(QStringLiteral("write"), {m_content});
    if (m_restoreEditing)
        RunBridge(QStringLiteral("setDesignMode"), {QStringLiteral("on")});
}

void THtmlView::Navigate(const QString& URL)
{
    StartEngine();
    m_address = QUrl(URL);
    m_content.clear();
    m_restores = 0;
    m_view->setUrl(m_address);
}

void THtmlView::Stop()
{
    if (m_view)
        m_view->stop();
}

THtmlDocument THtmlView::Document() const
{
    if (!m_view || !m_hasDocument)
        return {};
    return THtmlDocument(const_cast<THtmlView*>(this), THtmlDocument::Kind::Document);
}

THtmlView* THtmlView::FromEventTarget(const QObject* target)
{
    for (const QObject* o = target; o; o = o->parent()) {
        auto* view = qobject_cast<const QWebEngineView*>(o);
        if (!view)
            continue;
        auto* html = qobject_cast<THtmlView*>(view->parent());
        return html && html->m_view == view ? html : nullptr;
    }
    return nullptr;
}

int THtmlView::ShowContextMenu(quint32 dwID, const QPoint& ppt)
{
    if (!OnShowContextMenu)
        return S_FALSE;
    return OnShowContextMenu(dwID, ppt);
}

void THtmlView::TidyDialog(QWidget* dialog) const
{
    if (!m_replaceCaption)
        return;
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        dialog->setWindowIcon(icon);
    const QString title = ApplicationTitle();
    if (!title.isEmpty())
        dialog->setWindowTitle(QStringLiteral("%1 - %2").arg(dialog->windowTitle(), title));
}

void THtmlView::ShowSaveAsDialog()
{
    if (!Document())
        return;
    QPointer<THtmlView> self(this);
    QPointer<QFileDialog> dialog = new QFileDialog(window(), QStringLiteral("Save As"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilters(
        {QStringLiteral("HTML Documents (*.htm *.html)"), QStringLiteral("All Files (*)")});
    dialog->setDefaultSuffix(QStringLiteral("htm"));
    dialog->setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog->selectFile(QStringLiteral("Untitled.htm"));
    TidyDialog(dialog);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return;
    const QStringList files = dialog->selectedFiles();
    delete dialog;
    if (accepted && self && !files.isEmpty())
        SaveDocumentTo(files.first());
}

void THtmlView::SaveDocumentTo(const QString& fileName)
{
    if (!m_view)
        return;
    m_view->page()->runJavaScript(QStringLiteral("window.zentro ? zentro.html() : null"),
                                  QWebEngineScript::ApplicationWorld,
                                  [fileName](const QVariant& html) {
                                      if (html.typeId() != QMetaType::QString)
                                          return;
                                      QSaveFile file(fileName);
                                      if (!file.open(QIODevice::WriteOnly))
                                          return;
                                      // A byte-order mark, so that the text reads as UTF-8 wherever
                                      // the document names no character set.
                                      file.write("\xEF\xBB\xBF");
                                      file.write(html.toString().toUtf8());
                                      file.commit();
                                  });
}

void THtmlView::PaintTo(QPainter& canvas, int x, int y)
{
    canvas.drawPixmap(x, y, grab());
}

QString THtmlView::AskAddress(const QString& caption, const QString& label, const QString& address,
                              QString* alternativeText)
{
    QPointer<THtmlUrlDialog> dialog = new THtmlUrlDialog(caption, label, address, window());
    if (alternativeText)
        dialog->ShowAlternativeText(QStringLiteral("Alternate text:"));
    TidyDialog(dialog);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return {};
    const QString result = accepted ? dialog->Address() : QString();
    if (alternativeText)
        *alternativeText = dialog->AlternativeText();
    delete dialog;
    return result;
}

void THtmlView::ExecCommand(const QString& command, bool showUI, const QVariant& value)
{
    if (!m_view)
        return;
    const QString c = command.toLower();
    QVariant v = value;
    if (showUI && (c == QLatin1String("insertimage") || c == QLatin1String("createlink"))) {
        QPointer<THtmlView> self(this);
        const bool image = c == QLatin1String("insertimage");
        const QString link = m_bridge->LinkAtSelection();
        QString alternativeText;
        const QString address =
            image ? AskAddress(QStringLiteral("Picture"), QStringLiteral("Picture source:"), {},
                               &alternativeText)
                  : AskAddress(QStringLiteral("Hyperlink"), QStringLiteral("URL:"),
                               link.isEmpty() ? QStringLiteral("http://") : link);
        if (!self || address.isEmpty())
            return;
        if (image && !alternativeText.isEmpty()) {
            RunBridge(QStringLiteral("insertImage"), {address, alternativeText});
            return;
        }
        v = address;
    }
    // Clipboard and history go through the engine's own actions, which need
    // no script rights.
    static const QHash<QString, QWebEnginePage::WebAction> actions{
        {QStringLiteral("cut"), QWebEnginePage::Cut},
        {QStringLiteral("copy"), QWebEnginePage::Copy},
        {QStringLiteral("paste"), QWebEnginePage::Paste},
        {QStringLiteral("undo"), QWebEnginePage::Undo},
        {QStringLiteral("redo"), QWebEnginePage::Redo},
        {QStringLiteral("selectall"), QWebEnginePage::SelectAll},
    };
    if (const auto a = actions.constFind(c); a != actions.cend()) {
        m_view->page()->triggerAction(*a);
        RunBridge(QStringLiteral("report"));
        return;
    }
    RunBridge(QStringLiteral("exec"), {command, EngineValue(c, v)});
}

void THtmlView::SetDesignMode(const QString& value)
{
    RunBridge(QStringLiteral("setDesignMode"), {value.toLower()});
}

void THtmlView::SetBgColor(const QString& value)
{
    RunBridge(QStringLiteral("setBgColor"), {value});
}

void THtmlView::BeginWrite()
{
    m_writing = true;
    m_written.clear();
}

void THtmlView::ClearWrite()
{
    m_written.clear();
}

void THtmlView::WriteHtml(const QString& html)
{
    if (!m_writing)
        BeginWrite();
    m_written += html;
}

void THtmlView::EndWrite()
{
    if (!m_writing)
        return;
    m_writing = false;
    // Written in one piece: the bridge replaces the page in place and
    // attaches its listeners again in the same call.
    RunBridge(QStringLiteral("write"), {m_written});
    m_content = std::exchange(m_written, QString());
    m_restores = 0;
    ApplySettings();
}

void THtmlView::RunBridge(const QString& function, const QVariantList& args)
{
    if (!m_view)
        return;
    const QString json = QString::fromUtf8(
        QJsonDocument(QJsonArray::fromVariantList(args)).toJson(QJsonDocument::Compact));
    m_view->page()->runJavaScript(
        QStringLiteral("window.zentro && zentro.%1.apply(null, %2)").arg(function, json),
        QWebEngineScript::ApplicationWorld);
}
