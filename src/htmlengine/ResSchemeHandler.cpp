#include "htmlengine/ResSchemeHandler.h"

#include "htmlview/ResAddress.h"

#include <QBuffer>
#include <QFile>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

using ResAddress::SchemeName;

TResSchemeHandler::TResSchemeHandler(QObject* parent) : QWebEngineUrlSchemeHandler(parent) {}

void TResSchemeHandler::RegisterScheme()
{
    if (QWebEngineUrlScheme::schemeByName(SchemeName()).name() == SchemeName())
        return;
    QWebEngineUrlScheme scheme(SchemeName());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Secure, so that an "about:blank" editor may show its pictures; never
    // local, which would open the way to local files.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void TResSchemeHandler::InstallOn(QWebEngineProfile* profile)
{
    if (!profile->urlSchemeHandler(SchemeName()))
        profile->installUrlSchemeHandler(SchemeName(), new TResSchemeHandler(profile));
}

void TResSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString path = ResAddress::ResourceFor(job->requestUrl());
    if (path.isEmpty()) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(file.readAll());
    buffer->open(QIODevice::ReadOnly);
    job->reply(QByteArrayLiteral("image/gif"), buffer);
}
