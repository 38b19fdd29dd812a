#include "commandbars/XPStyle.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

constexpr int GutterMargin = 3; // around pictures in the menus' picture column
constexpr int TextGap = 8;      // between the picture column and the caption

QColor C(const TColor& c, const QWidget* widget)
{
    return widget ? c.ToQColor(widget->palette()) : c.ToQColor();
}

} // namespace

const char* TXPStyle::UnusedProperty = "zentroUnused";

TXPStyle::TXPStyle(const TColorMap& map)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), m_map(map)
{
}

int TXPStyle::MnemonicFlags() const
{
    return styleHint(SH_UnderlineShortcut) ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
}

void TXPStyle::DrawHotFrame(QPainter* painter, const QRect& rect, bool pressed) const
{
    painter->save();
    painter->setPen(C(m_map.FrameColor, nullptr));
    painter->setBrush(C(pressed ? m_map.BtnSelectedColor : m_map.SelectedColor, nullptr));
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

void TXPStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                             QPainter* painter, const QWidget* widget) const
{
    switch (element) {
    case PE_PanelMenuBar:
    case PE_PanelToolBar:
        painter->fillRect(option->rect, C(m_map.Color, widget));
        return;
    case PE_FrameMenu:
    case PE_PanelMenu:
        painter->save();
        painter->setPen(C(m_map.ShadowColor, widget));
        painter->setBrush(C(m_map.MenuColor, widget));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    case PE_PanelButtonTool:
    case PE_PanelButtonCommand: {
        const bool enabled = option->state & State_Enabled;
        const bool down = option->state & (State_Sunken | State_On);
        if (enabled && down)
            DrawHotFrame(painter, option->rect, true);
        else if (enabled && (option->state & State_MouseOver))
            DrawHotFrame(painter, option->rect, false);
        return;
    }
    case PE_IndicatorToolBarSeparator: {
        painter->save();
        painter->setPen(C(m_map.SeparatorColor, widget));
        const QRect r = option->rect;
        if (option->state & State_Horizontal) {
            const int x = r.center().x();
            painter->drawLine(x, r.top() + 3, x, r.bottom() - 3);
        } else {
            const int y = r.center().y();
            painter->drawLine(r.left() + 3, y, r.right() - 3, y);
        }
        painter->restore();
        return;
    }
    case PE_IndicatorToolBarHandle:
    case PE_FrameButtonTool:
    case PE_FrameFocusRect:
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void TXPStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const
{
    switch (element) {
    case CE_MenuBarEmptyArea:
    case CE_ToolBar:
        painter->fillRect(option->rect, C(m_map.Color, widget));
        return;
    case CE_MenuBarItem: {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (!item)
            break;
        painter->fillRect(item->rect, C(m_map.Color, widget));
        const bool enabled = item->state & State_Enabled;
        const bool open = item->state & State_Sunken;
        if (enabled && open) {
            // The open entry joins its menu: menu colours, shadow frame.
            painter->save();
            painter->setPen(C(m_map.ShadowColor, widget));
            painter->setBrush(C(m_map.HighlightColor, widget));
            painter->drawRect(item->rect.adjusted(0, 0, -1, 0));
            painter->restore();
        } else if (enabled && (item->state & State_Selected)) {
            DrawHotFrame(painter, item->rect, false);
        }
        painter->setPen(C(enabled ? m_map.FontColor : m_map.DisabledFontColor, widget));
        painter->drawText(item->rect, Qt::AlignCenter | Qt::TextSingleLine | MnemonicFlags(),
                          item->text);
        return;
    }
    case CE_MenuItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            DrawMenuItem(item, painter, widget);
            return;
        }
        break;
    case CE_MenuEmptyArea:
        painter->fillRect(option->rect, C(m_map.MenuColor, widget));
        return;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void TXPStyle::DrawMenuItem(const QStyleOptionMenuItem* item, QPainter* painter,
                            const QWidget* widget) const
{
    const QRect r = item->rect;
    const int iconSize = pixelMetric(PM_SmallIconSize, item, widget);
    const int gutter = qMax(item->maxIconWidth, iconSize) + 2 * GutterMargin;

    bool unused = false;
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
        if (const QAction* a = menu->actionAt(r.center()))
            unused = a->property(UnusedProperty).toBool();
    painter->fillRect(r, C(unused ? m_map.UnusedColor : m_map.MenuColor, widget));
    painter->fillRect(QRect(r.left(), r.top(), gutter, r.height()),
                      C(unused ? m_map.UnusedColor : m_map.HighlightColor, widget));

    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        painter->setPen(C(m_map.SeparatorColor, widget));
        const int y = r.center().y();
        painter->drawLine(r.left() + gutter + TextGap, y, r.right(), y);
        return;
    }

    const bool enabled = item->state & State_Enabled;
    const bool selected = enabled && (item->state & State_Selected);
    if (selected)
        DrawHotFrame(painter, r, false);

    const QRect picture(r.left() + GutterMargin, r.top() + (r.height() - iconSize) / 2, iconSize,
                        iconSize);
    const bool checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
    if (checked) {
        painter->save();
        painter->setPen(C(m_map.FrameColor, widget));
        painter->setBrush(C(selected ? m_map.SelectedColor : m_map.BtnSelectedColor, widget));
        painter->drawRect(picture.adjusted(-2, -2, 1, 1));
        painter->restore();
    }
    if (!item->icon.isNull()) {
        item->icon.paint(painter, picture, Qt::AlignCenter,
                         enabled ? QIcon::Normal : QIcon::Disabled);
    } else if (checked) {
        // A tick in the caption colour.
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(C(m_map.FontColor, widget), 1.6));
        const QPointF c = QRectF(picture).center();
        const QPointF tick[] = {c + QPointF(-4, 0), c + QPointF(-1, 3), c + QPointF(4, -3)};
        painter->drawPolyline(tick, 3);
        painter->restore();
    }

    const TColor textColor = !enabled   ? m_map.DisabledFontColor
                             : selected ? m_map.SelectedFontColor
                                        : m_map.FontColor;
    painter->setPen(C(textColor, widget));
    painter->setFont(item->font);
    const QRect text = r.adjusted(gutter + TextGap, 0, -(r.height() + 4), 0);
    QString caption = item->text;
    QString shortcut;
    if (const qsizetype tab = caption.indexOf(QLatin1Char('\t')); tab >= 0) {
        shortcut = caption.mid(tab + 1);
        caption.truncate(tab);
    }
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | MnemonicFlags(),
                      caption);
    if (!shortcut.isEmpty())
        painter->drawText(text, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, shortcut);

    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        const int s = 4;
        const QPoint c(r.right() - r.height() / 2, r.center().y());
        const QPoint arrow[] = {c + QPoint(-s / 2, -s), c + QPoint(s / 2, 0),
                                c + QPoint(-s / 2, s)};
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(C(textColor, widget));
        painter->drawPolygon(arrow, 3);
        painter->restore();
    }
}

QSize TXPStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                 const QWidget* widget) const
{
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            if (item->menuItemType == QStyleOptionMenuItem::Separator)
                return QSize(s.width(), 3);
            const int iconSize = pixelMetric(PM_SmallIconSize, option, widget);
            s.setHeight(qMax(s.height(), iconSize + 2 * GutterMargin + 2));
            s.setWidth(s.width() + TextGap + 2 * GutterMargin);
        }
    }
    return s;
}

int TXPStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                          const QWidget* widget) const
{
    switch (metric) {
    case PM_ToolBarItemSpacing:
    case PM_ToolBarItemMargin:
    case PM_ToolBarFrameWidth:
    case PM_MenuBarItemSpacing:
    case PM_MenuBarPanelWidth:
    case PM_MenuBarHMargin:
    case PM_MenuBarVMargin:
        return 0;
    case PM_ToolBarSeparatorExtent:
        return 6;
    case PM_MenuPanelWidth:
        return 1;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return 1;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int TXPStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                        QStyleHintReturn* returnData) const
{
    switch (hint) {
    case SH_DrawMenuBarSeparator:
        return 0;
    case SH_MenuBar_AltKeyNavigation:
        return 1;
    case SH_ToolTip_WakeUpDelay:
    case SH_ToolTip_FallAsleepDelay:
        // Hints follow the application's hint delay.
        return QApplication::style()->styleHint(hint, option, widget, returnData);
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}
