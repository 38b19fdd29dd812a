#pragma once

#include "htmlview/HtmlDocument.h"
#include "htmlview/HtmlViewOptions.h"
#include "htmlview/PrintOptions.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>

class QMimeData;
class QPainter;
class QVBoxLayout;
class QWebEngineView;
class THtmlBridge;
class THtmlContentCopy;
class THtmlEngine;
class THtmlInputFilter;
class THtmlRequestPolicy;

// The one control through which the program shows and edits HTML; every
// window that shows HTML owns one, named web. It hosts the HTML engine,
// which it starts lazily: until the first navigation or document load the
// control is an empty area and Document() yields nothing, so windows that
// never load anything (the chat transcript) never start the engine. The
// engine lives in a library of its own (THtmlEngine), loaded by the first
// view that starts it: a program that shows no HTML never maps it.
//
// Pages never run their own scripts and never read local files: the only
// script is the program's bridge, in its own world. Nor do they move the
// view: links leave for the desktop (THtmlPage). Should the engine's
// renderer process die, the view loads its page again and puts back what
// it showed: the HTML last written into it, or, while it was being edited,
// its copy, which follows the edits (THtmlContentCopy). A message being
// written is never given up on, and what is typed while it is being put
// back goes into it afterwards. Pastes and drops into it pass the HTML
// filter.
class THtmlView : public QFrame {
    Q_OBJECT
public:
    explicit THtmlView(QWidget* parent = nullptr);
    ~THtmlView() override;

    // Settings. Changing a set recomputes its flags and applies them to the
    // engine at once.
    TDownloadControlOptions DownloadOptions() const { return m_downloadOptions; }
    void SetDownloadOptions(TDownloadControlOptions options);
    quint32 DownloadControlFlags() const { return m_downloadControlFlags; }
    TUserInterfaceOptions UserInterfaceOptions() const { return m_userInterfaceOptions; }
    void SetUserInterfaceOptions(TUserInterfaceOptions options);
    quint32 HostUIFlags() const { return m_hostUIFlags; }
    TPrintOptions& PrintOptions() { return *m_printOptions; }
    // Dialogs the view opens carry the application's icon and title.
    bool ReplaceCaption() const { return m_replaceCaption; }
    void SetReplaceCaption(bool on) { m_replaceCaption = on; }
    // Shell requests to open HTML files: this platform sends none, so the
    // flag is only carried.
    bool EnableDDE() const { return m_enableDDE; }
    void SetEnableDDE(bool on) { m_enableDDE = on; }
    // True loads the runtime's default floating-point environment, false
    // masks every floating-point exception.
    bool fpExceptions() const { return m_fpExceptions; }
    void SetfpExceptions(bool on);
    // What every window sets on its view at once: images, videos and
    // background sounds, the interface options, a portrait print layout with
    // the window's page header and footer, dialog captions, no DDE and the
    // default floating-point environment.
    void SetUp(TUserInterfaceOptions options, const QString& printHeader,
               const QString& printFooter, bool replaceCaption);
    // A token added to the engine's user agent for this view's requests
    // while the view exists; nothing is stored anywhere.
    QString UserAgent() const { return m_userAgent; }
    void SetUserAgent(const QString& token);

    // Operations.
    void Navigate(const QString& URL);
    void Stop();
    // The current document, or nothing while there is none.
    THtmlDocument Document() const;
    // A save dialog for the document; its HTML is written to the chosen
    // file. Nothing happens without a document; every failure is silent.
    void ShowSaveAsDialog();
    // Runs a script in the program's own world of the page, apart from the
    // page's, and gives its value to result; nothing without an engine.
    // (The benchmark and tests look into pages this way.)
    void EvaluateScript(const QString& source,
                        const std::function<void(const QVariant&)>& result = {});
    // Inserts a picture with its alternative text at the caret of an
    // editable document.
    void InsertImage(const QString& address, const QString& alternativeText);
    // Gives the keyboard focus to the document, with its caret where it
    // was, so that typing goes in at once.
    void FocusDocument(Qt::FocusReason reason);
    // Paints the control's current image onto a canvas at (x, y).
    void PaintTo(QPainter& canvas, int x, int y);

    // Events, each a handler of the owning window or nothing.
    // The editor's command states may have changed (a new snapshot).
    std::function<void(THtmlView* Sender, int Command, bool Enable)> OnCommandStateChange;
    std::function<void(THtmlView* Sender, const QUrl& URL)> OnDocumentComplete;
    // The link under the pointer, or empty.
    std::function<void(THtmlView* Sender, const QString& Text)> OnStatusTextChange;
    // A context menu is asked for at a screen point; S_OK means the window
    // has shown its own menu and the engine shows none.
    std::function<int(quint32 dwID, const QPoint& ppt)> OnShowContextMenu;
    // The renderer process ended abnormally: the document is gone until the
    // view has restored it, which ends with OnDocumentComplete.
    std::function<void(THtmlView* Sender)> OnRenderProcessTerminated;

    // Starts the engine now, before the first navigation: a window whose
    // view starts only when it is shown calls this while it is built, so
    // that its native window is made for the engine's surface at once.
    void PrepareEngine();
    // The engine's widget, or null until the engine has started.
    QWidget* EngineWidget() const;
    // The same as the engine's own class, for code that links the engine.
    QWebEngineView* View() const;
    bool EngineStarted() const { return m_engine != nullptr; }
    // Whether an edit has not reached the copy put back after a renderer
    // crash yet (it does within a fraction of a second).
    bool ContentCopyPending() const;
    // The HTML view whose engine surface receives the events of an object
    // (for hooks that watch mouse events application-wide), or null.
    static THtmlView* FromEventTarget(const QObject* target);

    // Answers the engine's context-menu request (also a seam for tests).
    int ShowContextMenu(quint32 dwID, const QPoint& ppt);
    // Gives a dialog the view opens the application's icon and title when
    // ReplaceCaption is on.
    void TidyDialog(QWidget* dialog) const;

    // The document facade's end: commands, writes and questions.
    THtmlBridge* Bridge() const { return m_bridge; }
    // The engine's request policy, or null until the engine has started.
    THtmlRequestPolicy* RequestPolicy() const;
    void ExecCommand(const QString& command, bool showUI, const QVariant& value);
    void SetDesignMode(const QString& value);
    void SetBgColor(const QString& value);
    void BeginWrite();
    void ClearWrite();
    void WriteHtml(const QString& html);
    void EndWrite();
    // Inserts pasted or dropped data into the document being edited, at a
    // point of the engine's widget or, when the point is null, at the
    // caret; HTML is filtered first, and data too large to take is refused
    // with a message.
    void InsertFrom(const QMimeData* data, const QPoint& at);

private:
    // False when the engine could not be started.
    bool StartEngine();
    void ApplySettings();
    void RunBridge(const QString& function, const QVariantList& args = {});
    void LoadFinished();
    void RenderProcessTerminated();
    void Restore();
    void SaveDocumentTo(const QString& fileName);
    // Asks for an address (and, given somewhere to put it, a picture's
    // alternative text); empty when cancelled.
    QString AskAddress(const QString& caption, const QString& label, const QString& address,
                       QString* alternativeText = nullptr);

    TDownloadControlOptions m_downloadOptions = DefaultDownloadOptions;
    quint32 m_downloadControlFlags = 0;
    TUserInterfaceOptions m_userInterfaceOptions;
    quint32 m_hostUIFlags = 0;
    std::unique_ptr<TPrintOptions> m_printOptions;
    bool m_replaceCaption = false;
    bool m_enableDDE = false;
    bool m_fpExceptions = true;
    QString m_userAgent;

    QVBoxLayout* m_layout;
    THtmlBridge* m_bridge;
    std::unique_ptr<THtmlEngine> m_engine;
    // Owned by the engine's widget.
    THtmlInputFilter* m_input = nullptr;
    bool m_hasDocument = false;
    bool m_writing = false;
    QString m_written;

    // What the view shows, to put back after a renderer crash: the address
    // last navigated to and the HTML last written or edited.
    QUrl m_address;
    THtmlContentCopy* m_content;
    bool m_restoring = false;
    bool m_restoreEditing = false;
    // Restores in a row, each lost again soon after it was put back.
    int m_restores = 0;
    QElapsedTimer m_restoredAt;
};
