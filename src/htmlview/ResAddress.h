#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// The addresses of the "res" scheme through which the HTML views show the
// program's emoticons: res://<program file name>/RT_EMOTICON/<1..42>. The
// engine's handler serves what ResourceFor names and refuses the rest.
namespace ResAddress {

// The program's emoticons are resources 1 to EmoticonCount.
inline constexpr int EmoticonCount = 42;

// A function, not a global object: the engine's library registers the
// scheme while it is being loaded, when the globals of this file may not
// exist yet.
inline QByteArray SchemeName()
{
    return QByteArrayLiteral("res");
}

// The program file's name without its folder, as the address names it.
QString ModuleName();
// "res://<program>/RT_EMOTICON/<resource>", resource counted from 1, with
// the program's name as its file has it.
QString EmoticonAddress(int resource);
QUrl EmoticonUrl(int resource);
// The resource path of an emoticon's address, or empty for any other
// address.
QString ResourceFor(const QUrl& url);

} // namespace ResAddress
