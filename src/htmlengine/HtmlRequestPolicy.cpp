#include "htmlengine/HtmlRequestPolicy.h"

#include <QUrl>

THtmlRequestPolicy::THtmlRequestPolicy(QObject* parent) : QWebEngineUrlRequestInterceptor(parent) {}

QByteArray THtmlRequestPolicy::WithToken(const QByteArray& base, const QString& token)
{
    const QByteArray t = token.trimmed().toUtf8();
    if (t.isEmpty())
        return base;
    const int close = base.indexOf(')');
    if (close < 0)
        return base + " (" + t + ')';
    return base.left(close) + "; " + t + base.mid(close);
}

void THtmlRequestPolicy::SetUserAgent(const QByteArray& base, const QString& token)
{
    m_userAgent = token.trimmed().isEmpty() ? QByteArray() : WithToken(base, token);
}

void THtmlRequestPolicy::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    using R = QWebEngineUrlRequestInfo;
    const QString scheme = info.requestUrl().scheme();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");

    // Local files, the program's own resources and every scheme that is not
    // the web's or the emoticons' are never for pages.
    bool block = !web && scheme != QLatin1String("res");
    switch (info.resourceType()) {
    case R::ResourceTypeScript:
    case R::ResourceTypeWorker:
    case R::ResourceTypeSharedWorker:
    case R::ResourceTypeServiceWorker:
    case R::ResourceTypeObject:
    case R::ResourceTypePluginResource:
        block = true;
        break;
    case R::ResourceTypeImage:
        block |= !(m_flags & DLCTL_DLIMAGES);
        break;
    case R::ResourceTypeMedia:
        block |= !(m_flags & DLCTL_VIDEOS);
        break;
    case R::ResourceTypeSubFrame:
        block |= (m_flags & DLCTL_NO_FRAMEDOWNLOAD) != 0;
        break;
    default:
        break;
    }
    if (web && (m_flags & (DLCTL_FORCEOFFLINE | DLCTL_OFFLINE)))
        block = true;
    if (block) {
        info.block(true);
        return;
    }
    if (web && (m_flags & (DLCTL_RESYNCHRONIZE | DLCTL_PRAGMA_NO_CACHE))) {
        info.setHttpHeader("Cache-Control", "no-cache");
        info.setHttpHeader("Pragma", "no-cache");
    }
    if (web && !m_userAgent.isEmpty())
        info.setHttpHeader("User-Agent", m_userAgent);
    emit Passed(info.requestUrl(), int(info.resourceType()));
}
