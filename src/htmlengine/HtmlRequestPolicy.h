#pragma once

#include "htmlview/HtmlViewOptions.h"

#include <QByteArray>
#include <QWebEngineUrlRequestInterceptor>

// Every request a page of one HTML view makes passes here: it enforces the
// view's download options, lets only web addresses and the program's own
// "res" scheme through (never local files, program resources or any other
// scheme), keeps scripts and plug-ins out, and carries the view's
// user-agent token.
class THtmlRequestPolicy : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    explicit THtmlRequestPolicy(QObject* parent = nullptr);

    void SetDownloadFlags(quint32 flags) { m_flags = flags; }
    // The engine's own user agent and the token inserted into its platform
    // part; an empty token leaves the user agent alone.
    void SetUserAgent(const QByteArray& base, const QString& token);
    QByteArray UserAgent() const { return m_userAgent; }

    // The engine's user agent with the token after its platform part:
    // "Mozilla/5.0 (X11; Linux x86_64) ..." becomes "Mozilla/5.0 (X11;
    // Linux x86_64; token) ...".
    static QByteArray WithToken(const QByteArray& base, const QString& token);

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

signals:
    // A request was let through; type is its QWebEngineUrlRequestInfo
    // resource type.
    void Passed(const QUrl& url, int type);

private:
    quint32 m_flags = 0;
    QByteArray m_userAgent;
};
