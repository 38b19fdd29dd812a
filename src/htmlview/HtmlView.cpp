#include "htmlview/HtmlView.h"

#include "base/AppState.h"
#include "base/FocusReturn.h"
#include "htmlview/HtmlBridge.h"
#include "htmlview/HtmlContentCopy.h"
#include "htmlview/HtmlEngine.h"
#include "htmlview/HtmlEngineLoader.h"
#include "htmlview/HtmlFilter.h"
#include "htmlview/HtmlInputFilter.h"
#include "htmlview/HtmlValues.h"
#include "htmlview/UrlDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cfenv>
#include <utility>

namespace {

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

// A page that kills the renderer again within RestoreGraceMs of being put
// back, MaxRestores times in a row, is given up on and the view left empty.
// A message being written is the user's own and is never given up on: its
// later restores wait longer each time instead, up to MaxRestoreDelayMs.
constexpr int MaxRestores = 3;
constexpr qint64 RestoreGraceMs = 10000;
constexpr int MaxRestoreDelayMs = 30000;

} // namespace

THtmlView::THtmlView(QWidget* parent)
    : QFrame(parent), m_printOptions(std::make_unique<TPrintOptions>()),
      m_layout(new QVBoxLayout(this)), m_bridge(new THtmlBridge(this)),
      m_content(new THtmlContentCopy(
          [this](const QString& source, const std::function<void(const QVariant&)>& result) {
              EvaluateScript(source, result);
          },
          this))
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
    connect(m_bridge, &THtmlBridge::ContentChanged, m_content, &THtmlContentCopy::Changed);
}

// The engine's widget goes first: its page uses the bridge.
THtmlView::~THtmlView() = default;

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

void THtmlView::SetUp(TUserInterfaceOptions options, const QString& printHeader,
                      const QString& printFooter, bool replaceCaption)
{
    SetDownloadOptions(DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS);
    SetUserInterfaceOptions(options);
    TPrintOptions& print = PrintOptions();
    print.Margins = {19.05, 19.05, 19.05, 19.05};
    print.Header = printHeader;
    print.Footer = printFooter;
    print.HTMLHeader = {QStringLiteral("<HTML></HTML>")};
    print.Orientation = poPortrait;
    SetReplaceCaption(replaceCaption);
    SetEnableDDE(false);
    SetfpExceptions(true);
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
    ApplySettings();
}

void THtmlView::ApplySettings()
{
    setFrameStyle((m_hostUIFlags & NO3DBORDER) ? int(QFrame::NoFrame)
                                               : QFrame::StyledPanel | QFrame::Sunken);
    if (!m_engine)
        return;
    THtmlEngine::TSettings settings;
    settings.DownloadFlags = m_downloadControlFlags;
    settings.Images = m_downloadControlFlags & DLCTL_DLIMAGES;
    settings.Sound = m_downloadControlFlags & DLCTL_BGSOUNDS;
    settings.ScrollBars = !(m_hostUIFlags & SCROLL_NO);
    settings.UserAgentToken = m_userAgent;
    m_engine->Apply(settings);
    RunBridge(QStringLiteral("setOptions"),
              {QVariantMap{{QStringLiteral("flatScrollBars"), bool(m_hostUIFlags & FLAT_SCROLLBAR)},
                           {QStringLiteral("divBlocks"), bool(m_hostUIFlags & DIV_BLOCKDEFAULT)}}});
}

bool THtmlView::StartEngine()
{
    if (m_engine)
        return true;
    THtmlEngine::TEvents events;
    events.LoadFinished = [this] {
        LoadFinished();
    };
    events.RendererLost = [this] {
        RenderProcessTerminated();
    };
    events.LinkHovered = [this](const QString& url) {
        if (OnStatusTextChange)
            OnStatusTextChange(this, url);
    };
    events.ContextMenu = [this](int kind, const QPoint& global) {
        return ShowContextMenu(quint32(kind), global) == S_OK;
    };
    events.Editing = [this] {
        return m_bridge->Editing();
    };
    m_engine.reset(CreateHtmlEngine(this, m_bridge, events));
    if (!m_engine)
        return false;
    m_layout->addWidget(m_engine->Widget());
    THtmlInputFilter::TEvents input;
    input.Editing = [this] {
        return m_bridge->Editing();
    };
    input.HoldKeys = [this] {
        return m_restoring && m_restoreEditing;
    };
    input.Paste = [this](const QMimeData* data, const QPoint& at) {
        InsertFrom(data, at);
    };
    m_input = new THtmlInputFilter(m_engine->Widget(), input);
    ApplySettings();
    return true;
}

void THtmlView::PrepareEngine()
{
    StartEngine();
}

bool THtmlView::ContentCopyPending() const
{
    return m_content->Pending();
}

QWidget* THtmlView::EngineWidget() const
{
    return m_engine ? m_engine->Widget() : nullptr;
}

QWebEngineView* THtmlView::View() const
{
    return m_engine ? m_engine->View() : nullptr;
}

THtmlRequestPolicy* THtmlView::RequestPolicy() const
{
    return m_engine ? m_engine->RequestPolicy() : nullptr;
}

void THtmlView::LoadFinished()
{
    m_hasDocument = true;
    // Every new document starts with the bridge's defaults.
    ApplySettings();
    if (m_restoring)
        Restore();
    if (OnDocumentComplete)
        OnDocumentComplete(this, m_engine->Url());
}

void THtmlView::RenderProcessTerminated()
{
    // Read now: the fresh page's first snapshot says it is not edited.
    if (!m_restoring)
        m_restoreEditing = m_bridge->Editing();
    if (m_restoredAt.isValid() && m_restoredAt.hasExpired(RestoreGraceMs))
        m_restores = 0;
    m_restoring = true;
    m_content->Keep();
    m_hasDocument = false;
    m_writing = false;
    if (OnRenderProcessTerminated)
        OnRenderProcessTerminated(this);
    const int delay =
        m_restoreEditing && m_restores >= MaxRestores
            ? std::min(MaxRestoreDelayMs, 1000 << std::min(m_restores - MaxRestores, 5))
            : 0;
    // Not from inside the engine's report of the loss.
    QTimer::singleShot(delay, this, [this] {
        if (m_engine)
            m_engine->Load(m_address);
    });
}

void THtmlView::Restore()
{
    m_restoring = false;
    m_restoredAt.start();
    if (++m_restores > MaxRestores && !m_restoreEditing)
        return;
    if (const QString html = m_content->Html(); !html.isEmpty())
        RunBridge(QStringLiteral("write"), {html});
    if (!m_restoreEditing)
        return;
    RunBridge(QStringLiteral("setDesignMode"), {QStringLiteral("on")});
    if (!m_input->HasHeldKeys())
        return;
    // What was typed meanwhile goes in after the message, once it is back.
    QPointer<THtmlView> self(this);
    EvaluateScript(QStringLiteral("zentro.caretToEnd(), true"), [self](const QVariant&) {
        if (self && self->m_input)
            self->m_input->TypeHeldKeys();
    });
}

void THtmlView::Navigate(const QString& URL)
{
    if (!StartEngine())
        return;
    m_address = QUrl(URL);
    m_content->Reset();
    m_restores = 0;
    m_engine->Load(m_address);
}

void THtmlView::Stop()
{
    if (m_engine)
        m_engine->Stop();
}

THtmlDocument THtmlView::Document() const
{
    if (!m_engine || !m_hasDocument)
        return {};
    return THtmlDocument(const_cast<THtmlView*>(this), THtmlDocument::Kind::Document);
}

THtmlView* THtmlView::FromEventTarget(const QObject* target)
{
    for (const QObject* o = target; o; o = o->parent()) {
        auto* html = qobject_cast<THtmlView*>(o->parent());
        if (html && html->m_engine && html->m_engine->Widget() == o)
            return html;
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
    new TFocusReturn(dialog);
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
    EvaluateScript(QStringLiteral("window.zentro ? zentro.html() : null"),
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

void THtmlView::EvaluateScript(const QString& source,
                               const std::function<void(const QVariant&)>& result)
{
    if (m_engine)
        m_engine->RunScript(source, result);
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
    new TFocusReturn(dialog);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return {};
    const QString result = accepted ? dialog->Address() : QString();
    if (alternativeText)
        *alternativeText = dialog->AlternativeText();
    delete dialog;
    return result;
}

void THtmlView::InsertImage(const QString& address, const QString& alternativeText)
{
    RunBridge(QStringLiteral("insertImage"), {address, alternativeText});
}

void THtmlView::FocusDocument(Qt::FocusReason reason)
{
    QWidget* engine = EngineWidget();
    if (!engine) {
        setFocus(reason);
        return;
    }
    engine->setFocus(reason);
    RunBridge(QStringLiteral("focusDocument"));
}

void THtmlView::ExecCommand(const QString& command, bool showUI, const QVariant& value)
{
    if (!m_engine)
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
            InsertImage(address, alternativeText);
            return;
        }
        v = address;
    }
    // Clipboard and history go through the engine's own actions, which need
    // no script rights.
    using A = THtmlEngine::TAction;
    static const QHash<QString, A> actions{
        {QStringLiteral("cut"), A::Cut},     {QStringLiteral("copy"), A::Copy},
        {QStringLiteral("paste"), A::Paste}, {QStringLiteral("undo"), A::Undo},
        {QStringLiteral("redo"), A::Redo},   {QStringLiteral("selectall"), A::SelectAll},
    };
    if (c == QLatin1String("paste")) {
        InsertFrom(QApplication::clipboard()->mimeData(), {});
        return;
    }
    if (const auto a = actions.constFind(c); a != actions.cend()) {
        m_engine->Trigger(*a);
        RunBridge(QStringLiteral("report"));
        return;
    }
    RunBridge(QStringLiteral("exec"), {command, EngineValue(c, v)});
}

void THtmlView::InsertFrom(const QMimeData* data, const QPoint& at)
{
    if (!data || !m_engine || !m_bridge->Editing() || !(data->hasHtml() || data->hasText()))
        return;
    const QString source = data->hasHtml() ? data->html() : data->text();
    const bool remoteImages = (m_downloadControlFlags & DLCTL_DLIMAGES) &&
                              !(m_downloadControlFlags & (DLCTL_FORCEOFFLINE | DLCTL_OFFLINE));
    const QString html = source.size() > HtmlFilter::MaxChars ? QString()
                         : data->hasHtml() ? HtmlFilter::ForEditor(source, remoteImages)
                                           : HtmlFilter::FromText(source);
    if (source.size() > HtmlFilter::MaxChars || html.size() > HtmlFilter::MaxChars) {
        auto* box = new QMessageBox(
            QMessageBox::Information, QStringLiteral("Paste"),
            QStringLiteral("This is too large to paste: %L1 characters, and at most %L2 fit.")
                .arg(std::max(source.size(), html.size()))
                .arg(HtmlFilter::MaxChars),
            QMessageBox::Ok, window());
        box->setAttribute(Qt::WA_DeleteOnClose);
        TidyDialog(box);
        box->open();
        return;
    }
    if (html.isEmpty())
        return;
    QVariantList args{html};
    if (!at.isNull())
        args << at.x() << at.y();
    RunBridge(QStringLiteral("insert"), args);
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
    m_content->Reset(std::exchange(m_written, QString()));
    m_restores = 0;
    ApplySettings();
}

void THtmlView::RunBridge(const QString& function, const QVariantList& args)
{
    if (!m_engine)
        return;
    const QString json = QString::fromUtf8(
        QJsonDocument(QJsonArray::fromVariantList(args)).toJson(QJsonDocument::Compact));
    EvaluateScript(
        QStringLiteral("window.zentro && zentro.%1.apply(null, %2)").arg(function, json));
}
