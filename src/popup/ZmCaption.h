#pragma once

#include <QChar>
#include <QString>

// How the menus read an item's caption; public so that other command
// surfaces show captions the same way.
namespace ZmCaption {

// The accelerator character of a caption ("&File" gives 'f', lower case),
// or a null character. "&&" is a literal ampersand.
QChar Accelerator(const QString& caption);
// The caption as shown, ampersands resolved.
QString StripAccelerator(const QString& caption);

} // namespace ZmCaption
