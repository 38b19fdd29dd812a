#pragma once

#include <QString>

// What comes in from outside the program (a paste, a drop) is cut down
// here before any editor sees it. The HTML is read by a tokenizer of our
// own, which loads nothing, and written out anew from what the rules let
// through: a short list of elements, a short list of attributes, links
// and pictures only to addresses the views may reach, and no element
// nested deeper than MaxDepth. Style sheets, scripts, frames, objects,
// forms, meta, base and every comment go, with what they hold.
namespace HtmlFilter {

// More than this is refused whole rather than handed to an editor that
// would take minutes over it.
inline constexpr qsizetype MaxChars = 2000000;
// Elements nested deeper than this lose their tags; their text stays.
inline constexpr int MaxDepth = 48;

// HTML for the message editor: formatting, lists, tables, links to the
// web and mail addresses, the emoticons, and pictures from the web when
// remoteImages is true. Empty when the input is larger than MaxChars.
QString ForEditor(const QString& html, bool remoteImages);
// HTML for a plain input: the text, its line breaks and the emoticons.
QString ForPlainInput(const QString& html);
// Plain text as HTML, line breaks kept.
QString FromText(const QString& text);

} // namespace HtmlFilter
