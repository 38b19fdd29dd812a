#pragma once

#include <QGlyphRun>
#include <QLabel>
#include <QRawFont>

// A one-line caption drawn straight from its face's file, so that the
// app-bar appears without Qt's font database (see base/FontFaces.h): on a
// desktop with thousands of faces that was most of the bar's start and a
// sixth of its memory. Where the face cannot be found or lacks a
// character of the text, the label draws as any other.
class TCaptionLabel : public QLabel {
    Q_OBJECT
public:
    TCaptionLabel(const QString& text, const QString& family, int pixels, bool bold,
                  QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Whether the caption is drawn from its face's file.
    bool DrawnFromFace() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRawFont m_face;
    mutable QString m_laidOutText;
    mutable QGlyphRun m_run;
    mutable QSize m_size;
};
