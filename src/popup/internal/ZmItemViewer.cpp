#include "popup/internal/ZmItemViewer.h"

#include "base/ImageList.h"
#include "popup/ZmCaption.h"
#include "popup/ZmCustomItem.h"
#include "popup/ZmPlatform.h"
#include "popup/internal/ZmDraw.h"
#include "popup/internal/ZmLayout.h"
#include "popup/internal/ZmMenuLoop.h"
#include "popup/internal/ZmView.h"

#include <QFontMetrics>
#include <QPainter>

#include <cstdlib>

namespace {

QString ShortcutText(const TZmCustomItem* item)
{
    return item->ShortCut().toString(QKeySequence::NativeText);
}

// A polyline as the platform draws one: each segment from its first point
// up to, not including, its last, so that the final point stays unpainted.
void Polyline(QPainter& canvas, QPoint at, std::initializer_list<QPoint> points,
              const QColor& color)
{
    const QPoint* p = points.begin();
    for (size_t i = 1; i < points.size(); ++i) {
        const QPoint from = at + p[i - 1];
        const QPoint delta = p[i] - p[i - 1];
        const int steps = qMax(std::abs(delta.x()), std::abs(delta.y()));
        for (int step = 0; step < steps; ++step)
            canvas.fillRect(QRect(from + QPoint(ZmLayout::MulDiv(delta.x(), step, steps),
                                                ZmLayout::MulDiv(delta.y(), step, steps)),
                                  QSize(1, 1)),
                            color);
    }
}

// The check mark: two polylines around a point, in the button-text colour
// and a highlight under it.
void DrawCheckMark(QPainter& canvas, QPoint at)
{
    Polyline(canvas, at, {{-2, -2}, {0, 0}, {4, -4}, {4, -3}, {0, 1}, {-2, -1}, {-2, -2}},
             ZmDraw::Color(clr::BtnText));
    Polyline(canvas, at, {{-3, -2}, {-3, -1}, {0, 2}, {5, -3}, {5, -5}},
             ZmDraw::Color(clr::BtnHighlight));
}

void DrawBullet(QPainter& canvas, QPoint centre)
{
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, true);
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(ZmDraw::Color(clr::BtnText));
    canvas.drawEllipse(QPointF(centre) + QPointF(0.5, 0.5), 3.0, 3.0);
    canvas.restore();
}

} // namespace

TZmItemViewer::TZmItemViewer(TZmView* view, TZmCustomItem* item) : m_view(view), m_item(item) {}

TZmItemViewer::~TZmItemViewer() = default;

bool TZmItemViewer::IsSelectable() const
{
    return Show && m_item && m_item->Visible() && (m_item->ItemStyle() & zisSelectable);
}

QString TZmItemViewer::Caption() const
{
    return m_item ? ZmCaption::StripAccelerator(m_item->Caption()) : QString();
}

QChar TZmItemViewer::Accelerator() const
{
    return m_item ? ZmCaption::Accelerator(m_item->Caption()) : QChar();
}

TImageList* TZmItemViewer::Images() const
{
    return m_item ? m_item->EffectiveImages() : nullptr;
}

bool TZmItemViewer::ShowsImage() const
{
    const TImageList* images = Images();
    if (!images || m_item->ImageIndex() < 0 || m_item->ImageIndex() >= images->Count())
        return false;
    const TZmItemDisplayMode mode = m_item->DisplayMode();
    return mode != zmdmTextOnly && mode != zmdmTextOnlyInMenus;
}

bool TZmItemViewer::IsImageOnly() const
{
    return m_item && m_item->Caption().isEmpty() && ShowsImage();
}

QFont TZmItemViewer::ItemFont() const
{
    QFont font = m_view->MenuFont();
    if (m_item && (m_item->Options() & zmoDefault))
        font.setBold(true);
    return font;
}

QSize TZmItemViewer::Measure()
{
    if (!m_item)
        return {};
    const QFontMetrics fm(ItemFont());
    const TImageList* images = Images();
    const int shortcutWidth =
        m_item->ShortCut().isEmpty() ? -1 : fm.horizontalAdvance(ShortcutText(m_item));
    const ZmLayout::ItemSize size =
        ZmLayout::MeasureItem({fm.height(), qMax(0, fm.leading())}, fm.horizontalAdvance(Caption()),
                              images ? images->Size() : QSize(), shortcutWidth, IsImageOnly());
    m_columnWidth = size.ColumnWidth;
    return {size.Width, size.Height};
}

void TZmItemViewer::Paint(QPainter& canvas, const QRect& rect)
{
    const TZmCustomItem* item = m_item;
    if (!item)
        return;
    const bool selected = m_view->Selected() == this;
    const bool enabled = item->Enabled();
    const bool imageOnly = IsImageOnly();
    const bool hasColumn = ShowsImage() || item->Checked();
    const int column = imageOnly ? rect.width() : m_columnWidth;

    const QColor menu = ZmDraw::Color(clr::Menu);
    const QColor highlight =
        ZmDraw::Color(ZmPlatform::FlatMenus() ? clr::MenuHighlight : clr::Highlight);
    if (selected && !imageOnly) {
        const int left = hasColumn ? column + 1 : 0;
        canvas.fillRect(QRect(left, 0, rect.width() - left, rect.height()), highlight);
    }

    const QColor grey = ZmDraw::Color(clr::GrayText);
    const QColor text = !enabled   ? grey
                        : selected ? ZmDraw::Color(clr::HighlightText)
                                   : ZmDraw::Color(clr::MenuText);
    const bool embossed =
        !enabled && ((!selected && (menu == ZmDraw::Color(clr::BtnFace) || menu == grey)) ||
                     (selected && highlight == grey));

    if (!imageOnly) {
        canvas.setFont(ItemFont());
        const QFontMetrics fm(canvas.font());
        const int leading = qMax(0, fm.leading());
        QRect textRect(column + 3, leading, rect.width() - column - 3, rect.height() - leading);
        if (textRect.height() - fm.height() == 4)
            textRect.setHeight(textRect.height() - 1);
        DrawCaption(canvas, textRect, text, embossed);

        if (!item->ShortCut().isEmpty()) {
            QRect shortcutRect = textRect;
            shortcutRect.setRight(rect.width() - rect.height() - 1);
            const int flags = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;
            if (embossed) {
                canvas.setPen(ZmDraw::Color(clr::BtnHighlight));
                canvas.drawText(shortcutRect.translated(1, 1), flags, ShortcutText(item));
                canvas.setPen(ZmDraw::Color(clr::BtnShadow));
            } else {
                canvas.setPen(text);
            }
            canvas.drawText(shortcutRect, flags, ShortcutText(item));
        }

        if (item->ItemStyle() & zisSubmenu) {
            const int box = qBound(7, rect.height() - 6, 13);
            const QRect arrow(rect.width() - box, (rect.height() - box) / 2, box, box);
            if (embossed) {
                ZmDraw::MenuArrow(canvas, arrow.translated(1, 1), ZmDraw::Color(clr::BtnHighlight));
                ZmDraw::MenuArrow(canvas, arrow, ZmDraw::Color(clr::BtnShadow));
            } else {
                ZmDraw::MenuArrow(canvas, arrow, text);
            }
        }
    }
    if (hasColumn)
        PaintColumn(canvas, QRect(0, 0, column, rect.height()), selected, enabled);
}

void TZmItemViewer::DrawCaption(QPainter& canvas, const QRect& textRect, const QColor& color,
                                bool embossed)
{
    const bool underline = ZmPlatform::UnderlineAcceleratorsAlways() || m_view->KeyboardUsed();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine |
                      (underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
    const QString caption = m_item ? m_item->Caption() : QString();
    if (embossed) {
        canvas.setPen(ZmDraw::Color(clr::BtnHighlight));
        canvas.drawText(textRect.translated(1, 1), flags, caption);
        canvas.setPen(ZmDraw::Color(clr::BtnShadow));
    } else {
        canvas.setPen(color);
    }
    canvas.drawText(textRect, flags, caption);
}

void TZmItemViewer::PaintColumn(QPainter& canvas, const QRect& column, bool selected,
                                bool enabled) const
{
    const bool checked = m_item->Checked();
    if ((selected && enabled) || checked) {
        if (checked)
            ZmDraw::SunkenOuter(canvas, column);
        else
            ZmDraw::RaisedInner(canvas, column);
        const QRect inside = column.adjusted(1, 1, -1, -1);
        canvas.fillRect(inside, ZmDraw::Color(clr::BtnFace));
        if (checked && !selected)
            canvas.fillRect(inside, QBrush(ZmDraw::Color(clr::BtnHighlight), Qt::Dense4Pattern));
    }
    // Checked content sits one pixel right and down, pressed in.
    const QPoint shift = checked ? QPoint(1, 1) : QPoint(0, 0);
    if (ShowsImage()) {
        const TImageList* images = Images();
        const QPoint at = column.topLeft() + shift +
                          QPoint((column.width() - images->Width()) / 2,
                                 (column.height() - images->Height()) / 2);
        images->Draw(canvas, at.x(), at.y(), m_item->ImageIndex(), enabled);
    } else if (checked) {
        const QPoint centre =
            column.topLeft() + shift + QPoint(column.width() / 2, column.height() / 2);
        if (m_item->RadioItem())
            DrawBullet(canvas, centre);
        else
            DrawCheckMark(canvas, centre + QPoint(-2, 1));
    }
}

void TZmItemViewer::Entering() {}

void TZmItemViewer::Leaving() {}

bool TZmItemViewer::KeyDown(QKeyEvent*)
{
    return false;
}

void TZmItemViewer::MouseDown(bool)
{
    // A submenu opens at once on a press; other items act on the release.
    if (m_item && m_item->Enabled() && (m_item->ItemStyle() & zisSubmenu))
        m_view->OpenSubmenu(this, false);
}

void TZmItemViewer::MouseMove(QPoint) {}

void TZmItemViewer::MouseUp()
{
    TZmCustomItem* item = m_item;
    if (!item || !item->Enabled() || (item->ItemStyle() & (zisSubmenu | zisNoReleaseClick)))
        return;
    if (m_view->Selected() != this)
        return;
    if (TZmMenuLoop* loop = m_view->Loop())
        loop->EndWithClick(item);
}

void TZmItemViewer::MouseWheel(int steps)
{
    for (int i = 0; i < std::abs(steps); ++i)
        if (!m_view->ScrollStep(steps < 0))
            break;
}
