#pragma once

#include <QPoint>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <functional>

class QObject;
class QWebEngineView;
class QWidget;
class THtmlRequestPolicy;

// The HTML engine behind one THtmlView. The engine lives in a library of
// its own that is loaded when the first view starts (HtmlEngineLoader), so
// a program that shows no HTML never maps it; the view reaches it only
// through this interface. Header-only on purpose: the library shares no
// code with the program, only these declarations.
class THtmlEngine {
public:
    // What the engine tells its view.
    struct TEvents {
        // A new document is there: a loaded page, or the engine's page for
        // a failed load.
        std::function<void()> LoadFinished;
        // The renderer process ended abnormally: the document is gone.
        std::function<void()> RendererLost;
        // The link under the pointer, or empty.
        std::function<void(const QString& url)> LinkHovered;
        // A context menu of a TContextMenuKind at a screen point; true when
        // the view showed its own, so the engine shows none.
        std::function<bool(int kind, const QPoint& global)> ContextMenu;
        // Whether the document is being edited: a clicked link then only
        // places the caret.
        std::function<bool()> Editing;
    };

    // What the view's options ask of the engine.
    struct TSettings {
        quint32 DownloadFlags = 0;
        bool Images = true;
        bool Sound = false;
        bool ScrollBars = true;
        // Added to the user agent of this view's requests; empty for none.
        QString UserAgentToken;
    };

    // The editing actions the engine does itself, without script rights.
    enum class TAction { Cut, Copy, Paste, Undo, Redo, SelectAll };

    virtual ~THtmlEngine() = default;

    // The engine's widget, a child of the view.
    virtual QWidget* Widget() const = 0;
    // The same widget as the engine's own class, for code that links the
    // engine (tests and the benchmark).
    virtual QWebEngineView* View() const = 0;
    virtual THtmlRequestPolicy* RequestPolicy() const = 0;

    virtual void Load(const QUrl& url) = 0;
    virtual QUrl Url() const = 0;
    virtual void Stop() = 0;
    virtual void Apply(const TSettings& settings) = 0;
    virtual void Trigger(TAction action) = 0;
    // Runs a script in the program's own world, apart from the page's;
    // result, when given, receives its value.
    virtual void RunScript(const QString& source,
                           const std::function<void(const QVariant&)>& result = {}) = 0;
};

// The library's one entry point, looked up by the name below. bridge is the
// object the page's bridge script talks to.
using THtmlEngineFactory = THtmlEngine* (*)(QWidget* parent, QObject* bridge,
                                            const THtmlEngine::TEvents& events);
inline constexpr char HtmlEngineEntry[] = "ZentroCreateHtmlEngine";
