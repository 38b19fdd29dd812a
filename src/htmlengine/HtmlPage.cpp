#include "htmlengine/HtmlPage.h"

#include <QDesktopServices>
#include <QTimer>
#include <QWebEngineNewWindowRequest>

#include <utility>

namespace {

bool IsOneOf(const QUrl& url, std::initializer_list<QLatin1String> schemes)
{
    const QString s = url.scheme();
    for (const QLatin1String& scheme : schemes)
        if (s == scheme)
            return true;
    return false;
}

} // namespace

THtmlPage::THtmlPage(QWebEngineProfile* profile, std::function<bool()> editing, QObject* parent)
    : QWebEnginePage(profile, parent), m_editing(std::move(editing))
{
    connect(this, &QWebEnginePage::newWindowRequested, this, &THtmlPage::NewWindowRequested);
}

bool THtmlPage::OpensExternally(const QUrl& url)
{
    return url.isValid() &&
           IsOneOf(url, {QLatin1String("http"), QLatin1String("https"), QLatin1String("mailto")});
}

bool THtmlPage::Editing() const
{
    return m_editing && m_editing();
}

bool THtmlPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (type == NavigationTypeLinkClicked) {
        // Leaves for the desktop, or nowhere; the view stays on the message.
        FollowLink(url);
        return false;
    }
    // Only the program moves the view itself (Navigate): a reload, a meta
    // refresh or a history move of the page would replace the message.
    // Frames of a message may load web pages, never local or page-made
    // documents (file:, qrc:, data:, javascript: ...).
    const bool accept = type != NavigationTypeFormSubmitted &&
                        (!isMainFrame || type == NavigationTypeTyped) &&
                        IsOneOf(url, {QLatin1String("about"), QLatin1String("http"),
                                      QLatin1String("https"), QLatin1String("res")});
    if (!accept)
        emit Refused(url);
    return accept;
}

void THtmlPage::NewWindowRequested(QWebEngineNewWindowRequest& request)
{
    // No window is ever opened for a page; a link the user asked to open
    // in one is followed as if clicked.
    if (request.isUserInitiated())
        FollowLink(request.requestedUrl());
    else
        emit Refused(request.requestedUrl());
}

void THtmlPage::FollowLink(const QUrl& url)
{
    emit Refused(url);
    if (Editing() || !OpensExternally(url))
        return;
    // Not from inside the engine's callback.
    QTimer::singleShot(0, this, [url] { QDesktopServices::openUrl(url); });
}

QStringList THtmlPage::chooseFiles(FileSelectionMode, const QStringList&, const QStringList&)
{
    // A file chosen here could go nowhere (forms never submit), and the
    // chooser would browse the user's files on a stranger's behalf.
    emit Refused(url());
    return {};
}

void THtmlPage::javaScriptAlert(const QUrl&, const QString&) {}

bool THtmlPage::javaScriptConfirm(const QUrl&, const QString&)
{
    return false;
}

bool THtmlPage::javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*)
{
    return false;
}
