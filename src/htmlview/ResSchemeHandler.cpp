#include "htmlview/ResSchemeHandler.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {
// A function, not a global object: the scheme is registered while the
// program is being loaded, before the globals of this file may exist.
QByteArray SchemeName()
{
    return QByteArrayLiteral("res");
}
} // namespace

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

QString TResSchemeHandler::ModuleName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

QString TResSchemeHandler::EmoticonAddress(int resource)
{
    return QStringLiteral("%1://%2/RT_EMOTICON/%3")
        .arg(QString::fromLatin1(SchemeName()), ModuleName())
        .arg(resource);
}

QUrl TResSchemeHandler::EmoticonUrl(int resource)
{
    return QUrl(EmoticonAddress(resource));
}

QString TResSchemeHandler::ResourceFor(const QUrl& url)
{
    if (url.scheme() != QLatin1String(SchemeName()) ||
        url.host().compare(ModuleName(), Qt::CaseInsensitive) != 0 || url.hasQuery())
        return {};
    const QStringList parts = url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() != 2 || parts[0].compare(QLatin1String("RT_EMOTICON"), Qt::CaseInsensitive))
        return {};
    bool ok = false;
    const int n = parts[1].toInt(&ok);
    // Digits only: no signs, spaces or leading zeros reach the resource name.
    if (!ok || n < 1 || n > EmoticonCount || QString::number(n) != parts[1])
        return {};
    return QStringLiteral(":/emoticons/%1.gif").arg(n);
}

void TResSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString path = ResourceFor(job->requestUrl());
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
