#include "appbar/CaptionLabel.h"

#include "base/FontCache.h"
#include "base/FontFaces.h"
#include "base/WindowLook.h"

#include <QPainter>
#include <QTimer>

TCaptionLabel::TCaptionLabel(const QString& text, const QString& family, int pixels, bool bold,
                             QWidget* parent)
    : QLabel(text, parent), m_family(family), m_pixels(pixels), m_bold(bold)
{
    setFont(PixelFont(family, pixels, bold));
    m_keptKey = KeptKey();
    m_kept = TFontCache::Instance().Caption(m_keptKey);
}

QString TCaptionLabel::KeptKey() const
{
    // All the kept image was drawn from; the face's file and settings are
    // the cache's to watch.
    return QStringLiteral("%1\n%2\n%3\n%4\n%5\n%6")
        .arg(text(), m_family)
        .arg(m_pixels)
        .arg(m_bold)
        .arg(palette().color(foregroundRole()).rgba(), 8, 16)
        .arg(devicePixelRatioF());
}

bool TCaptionLabel::DrawnFromKeptImage() const
{
    // Only for what it was kept for: a new text, colour or screen takes the
    // face.
    return !m_kept.isNull() && !m_faceLoaded && KeptKey() == m_keptKey;
}

bool TCaptionLabel::DrawnFromFace() const
{
    if (!m_faceLoaded) {
        m_faceLoaded = true;
        m_face = FontFace(m_family, m_pixels, m_bold);
    }
    // Laid out anew when the text has changed since.
    if (!m_face.isValid())
        return false;
    if (m_laidOutText == text() && !m_laidOutText.isNull())
        return !m_run.isEmpty();
    m_laidOutText = text();
    m_run = QGlyphRun();
    for (const QChar c : m_laidOutText)
        if (!m_face.supportsCharacter(c))
            return false;
    const QList<quint32> glyphs = m_face.glyphIndexesForString(m_laidOutText);
    const QList<QPointF> advances =
        m_face.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    QPointF pen(0, m_face.ascent());
    for (const QPointF& advance : advances) {
        positions << pen;
        pen += advance;
    }
    m_run.setRawFont(m_face);
    m_run.setGlyphIndexes(glyphs);
    m_run.setPositions(positions);
    m_size = QSize(qCeil(pen.x()), qCeil(m_face.ascent()) + qCeil(m_face.descent()));
    return !m_run.isEmpty();
}

QSize TCaptionLabel::sizeHint() const
{
    if (DrawnFromKeptImage())
        return m_kept.deviceIndependentSize().toSize();
    return DrawnFromFace() ? m_size + QSize(2 * margin(), 2 * margin()) : QLabel::sizeHint();
}

QSize TCaptionLabel::minimumSizeHint() const
{
    if (DrawnFromKeptImage())
        return sizeHint();
    return DrawnFromFace() ? sizeHint() : QLabel::minimumSizeHint();
}

QImage TCaptionLabel::RunImage() const
{
    // The whole label at its size, text placed as paintEvent places it.
    const qreal ratio = devicePixelRatioF();
    const QSize size = m_size + QSize(2 * margin(), 2 * margin());
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawGlyphRun(QPointF(margin(), margin()), m_run);
    return image;
}

void TCaptionLabel::Confirm()
{
    const QSize shown = sizeHint();
    const bool wasKept = DrawnFromKeptImage();
    const QImage drawn = DrawnFromFace() ? RunImage() : QImage();
    // Kept under the key of what it shows now; a kept image that differs
    // from the face's gives way, and a caption the face cannot draw keeps
    // none.
    if (!drawn.isNull())
        TFontCache::Instance().SetCaption(KeptKey(), drawn);
    if (wasKept && drawn != m_kept) {
        updateGeometry();
        if (size() == shown)
            adjustSize();
        update();
    }
    m_kept = QImage();
}

void TCaptionLabel::paintEvent(QPaintEvent* event)
{
    // Checked once painted, so that the first paint needs no face.
    if (!m_confirmQueued) {
        m_confirmQueued = true;
        QTimer::singleShot(0, this, &TCaptionLabel::Confirm);
    }
    if (DrawnFromKeptImage()) {
        QPainter painter(this);
        painter.drawImage(QPoint(0, (height() - sizeHint().height()) / 2), m_kept);
        return;
    }
    if (!DrawnFromFace()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    // Centred on the height, as a label's text is.
    const int top = (height() - m_size.height()) / 2;
    painter.drawGlyphRun(QPointF(margin(), top), m_run);
}
