#include "main/BevelSplitter.h"

#include <QPainter>
#include <QSplitterHandle>

namespace {

class THandle : public QSplitterHandle {
public:
    THandle(Qt::Orientation orientation, TBevelSplitter* parent)
        : QSplitterHandle(orientation, parent), m_splitter(parent)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QColor face = m_splitter->Color().ToQColor(palette());
        const QRect r = rect();
        p.fillRect(r, face);
        // Light top-left, dark bottom-right: a raised bar.
        p.setPen(face.lighter(150));
        p.drawLine(r.topLeft(), orientation() == Qt::Horizontal ? r.bottomLeft() : r.topRight());
        p.setPen(face.darker(150));
        p.drawLine(r.bottomRight(),
                   orientation() == Qt::Horizontal ? r.topRight() : r.bottomLeft());
    }

private:
    TBevelSplitter* m_splitter;
};

} // namespace

TBevelSplitter::TBevelSplitter(Qt::Orientation orientation, TColor color, int width,
                               QWidget* parent)
    : QSplitter(orientation, parent), m_color(color)
{
    setHandleWidth(width);
    setOpaqueResize(true);
    setChildrenCollapsible(false);
}

QSplitterHandle* TBevelSplitter::createHandle()
{
    return new THandle(orientation(), this);
}
