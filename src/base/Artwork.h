#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// The one way to the program's artwork. Pictures live under ":/artwork/"
// as SVG files (resources/artwork/ in the source tree) and are rendered at
// the size and device pixel ratio asked for, so they stay crisp on any
// screen. Rendered pictures are cached.
namespace Artwork {

// ":/artwork/<name>.svg", e.g. Path("status/zentro-online").
QString Path(const QString& name);

// Renders the picture into a transparent image of size x dpr device
// pixels, with the device pixel ratio set. A missing picture gives a null
// image.
QImage Image(const QString& name, QSize size, qreal dpr = 1.0);
QPixmap Pixmap(const QString& name, QSize size, qreal dpr = 1.0);

// An icon that renders the picture at whatever size a view asks for.
QIcon Icon(const QString& name);

} // namespace Artwork
