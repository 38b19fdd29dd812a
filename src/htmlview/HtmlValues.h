#pragma once

#include <QString>
#include <QVariant>

// Conversions between the values the engine reports for editing commands
// and the types the windows work with. An empty QVariant means "no single
// value".
namespace HtmlValues {

// The first family of a CSS family list, without quotes: "\"DejaVu Serif\",
// serif" gives "DejaVu Serif".
QVariant FontName(const QString& reported);
// The legacy size "1".."7" as an integer.
QVariant FontSize(const QString& reported);
// A CSS colour ("rgb(r, g, b)", "rgba(...)", "#rrggbb") as an integer in
// 0x00BBGGRR order; a fully transparent colour is no colour.
QVariant Color(const QString& reported);
// An integer colour in 0x00BBGGRR order as "#rrggbb".
QString ColorText(quint32 bgr);

} // namespace HtmlValues
