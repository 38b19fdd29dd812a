#include "appbar/CaptionLabel.h"

#include "base/FontFaces.h"
#include "base/WindowLook.h"

#include <QPainter>

TCaptionLabel::TCaptionLabel(const QString& text, const QString& family, int pixels, bool bold,
                             QWidget* parent)
    : QLabel(text, parent)
{
    setFont(PixelFont(family, pixels, bold));
    m_face = FontFace(family, pixels, bold);
}

bool TCaptionLabel::DrawnFromFace() const
{
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
    return DrawnFromFace() ? m_size + QSize(2 * margin(), 2 * margin()) : QLabel::sizeHint();
}

QSize TCaptionLabel::minimumSizeHint() const
{
    return DrawnFromFace() ? sizeHint() : QLabel::minimumSizeHint();
}

void TCaptionLabel::paintEvent(QPaintEvent* event)
{
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
