#include "base/TColor.h"

#include <QGuiApplication>

namespace {

QColor SystemQColor(quint8 index, const QPalette& p)
{
    switch (index) {
    case TColor::scMenu:
    case TColor::scBtnFace:
    case TColor::scActiveBorder:
    case TColor::scInactiveBorder:
    case TColor::scMenuBar:
        return p.color(QPalette::Active, QPalette::Button);
    case TColor::scWindow:
        return p.color(QPalette::Active, QPalette::Base);
    case TColor::scWindowText:
    case TColor::scMenuText:
    case TColor::scCaptionText:
        return p.color(QPalette::Active, QPalette::WindowText);
    case TColor::scBtnText:
        return p.color(QPalette::Active, QPalette::ButtonText);
    case TColor::scHighlight:
    case TColor::scMenuHilight:
    case TColor::scActiveCaption:
    case TColor::scHotLight:
    case TColor::scGradientActiveCaption:
        return p.color(QPalette::Active, QPalette::Highlight);
    case TColor::scHighlightText:
        return p.color(QPalette::Active, QPalette::HighlightedText);
    case TColor::scBtnShadow:
        return p.color(QPalette::Active, QPalette::Dark);
    case TColor::scBtnHighlight:
        return p.color(QPalette::Active, QPalette::Light);
    case TColor::sc3DDkShadow:
    case TColor::scWindowFrame:
        return p.color(QPalette::Active, QPalette::Shadow);
    case TColor::sc3DLight:
        return p.color(QPalette::Active, QPalette::Midlight);
    case TColor::scGrayText:
    case TColor::scInactiveCaptionText:
        return p.color(QPalette::Disabled, QPalette::WindowText);
    case TColor::scInfoText:
        return p.color(QPalette::Active, QPalette::ToolTipText);
    case TColor::scInfoBk:
        return p.color(QPalette::Active, QPalette::ToolTipBase);
    case TColor::scInactiveCaption:
    case TColor::scGradientInactiveCaption:
        return p.color(QPalette::Inactive, QPalette::Highlight);
    case TColor::scScrollBar:
    case TColor::scBackground:
    case TColor::scAppWorkSpace:
        return p.color(QPalette::Active, QPalette::Mid);
    default:
        return p.color(QPalette::Active, QPalette::Button);
    }
}

} // namespace

TColor TColor::ToRgb(const QPalette& palette) const
{
    if (!IsSystem())
        return *this;
    return FromQColor(SystemQColor(quint8(m_value & 0xFF), palette));
}

TColor TColor::ToRgb() const
{
    return ToRgb(QGuiApplication::palette());
}

QColor TColor::ToQColor(const QPalette& palette) const
{
    const TColor rgb = ToRgb(palette);
    return QColor(rgb.Red(), rgb.Green(), rgb.Blue());
}

QColor TColor::ToQColor() const
{
    return ToQColor(QGuiApplication::palette());
}
