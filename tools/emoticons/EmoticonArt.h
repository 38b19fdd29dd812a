#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>

#include <functional>

class QPainter;

// One emoticon: its picture size, its frames (one delay each, in
// hundredths of a second) and a routine that draws a frame in picture
// coordinates.
struct TEmoticonDesign {
    QSize size;
    QList<int> delays;
    // The part of the picture that the 21 x 21 palette picture shows.
    QRectF key;
    std::function<void(QPainter& p, int frame)> draw;
};

// The 42 emoticons, in resource order (resource n is element n - 1).
QList<TEmoticonDesign> EmoticonDesigns();

// A frame at its size (times scale), on a transparent background.
QImage RenderFrame(const TEmoticonDesign& design, int frame, qreal scale = 1.0);

// The palette picture: the key part of the first frame fitted into
// 21 x 21 (times scale), centred, with its transparency.
QImage PalettePicture(const TEmoticonDesign& design, int scale = 1);
