#include "htmlview/ResAddress.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace ResAddress {

QString ModuleName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

QString EmoticonAddress(int resource)
{
    return QStringLiteral("%1://%2/RT_EMOTICON/%3")
        .arg(QString::fromLatin1(SchemeName()), ModuleName())
        .arg(resource);
}

QUrl EmoticonUrl(int resource)
{
    return QUrl(EmoticonAddress(resource));
}

QString ResourceFor(const QUrl& url)
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

} // namespace ResAddress
