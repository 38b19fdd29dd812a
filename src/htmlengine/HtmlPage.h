#pragma once

#include <QWebEnginePage>

#include <functional>

class QWebEngineNewWindowRequest;

// The page of an HTML view. What it shows is written by strangers, so it
// takes the view nowhere: the only top-level navigations are the ones the
// program starts. A link the user clicks opens in the desktop's own
// handler when it is a web or mail address and is refused otherwise; while
// the document is being edited a click only places the caret. Forms never
// submit (the bridge also stops their submit events) and file inputs never
// open a chooser.
class THtmlPage : public QWebEnginePage {
    Q_OBJECT
public:
    // editing tells whether the document is being edited.
    THtmlPage(QWebEngineProfile* profile, std::function<bool()> editing, QObject* parent = nullptr);

    // Whether a clicked link to this address leaves for the desktop's
    // handler: http, https and mailto only.
    static bool OpensExternally(const QUrl& url);

signals:
    // The page asked to go somewhere, to open a window or a file chooser,
    // and was refused (a link the desktop opens counts as refused for the
    // view too).
    void Refused(const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                            const QStringList& acceptedMimeTypes) override;
    // The pages' own scripts never run; these keep anything that asks from
    // showing page text in a dialog.
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                          const QString& defaultValue, QString* result) override;

private:
    void NewWindowRequested(QWebEngineNewWindowRequest& request);
    // A link the user followed: to the desktop when allowed, never here.
    void FollowLink(const QUrl& url);
    bool Editing() const;

    std::function<bool()> m_editing;
};
