#pragma once

#include <QGlyphRun>
#include <QImage>
#include <QLabel>
#include <QRawFont>

// A one-line caption drawn straight from its face's file, so that the
// app-bar appears without Qt's font database (see base/FontFaces.h): on a
// desktop with thousands of faces that was most of the bar's start and a
// sixth of its memory. Where the face cannot be found or lacks a
// character of the text, the label draws as any other. Until it has been
// painted once it shows the image kept from the last run, if any
// (base/FontCache.h), and loads its face only afterwards, to check it.
class TCaptionLabel : public QLabel {
    Q_OBJECT
public:
    TCaptionLabel(const QString& text, const QString& family, int pixels, bool bold,
                  QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Whether the caption is drawn from its face's file.
    bool DrawnFromFace() const;
    // Whether it shows the image kept from the last run, its face not
    // loaded yet.
    bool DrawnFromKeptImage() const;
    // Loads the face, keeps the caption drawn from it for the next run and
    // shows that from now on; done once the label has been painted.
    void Confirm();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString KeptKey() const;
    QImage RunImage() const;

    QString m_family;
    int m_pixels;
    bool m_bold;
    mutable bool m_faceLoaded = false;
    mutable QRawFont m_face;
    QImage m_kept;
    QString m_keptKey;
    bool m_confirmQueued = false;
    mutable QString m_laidOutText;
    mutable QGlyphRun m_run;
    mutable QSize m_size;
};
