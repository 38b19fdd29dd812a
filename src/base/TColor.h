#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

// A colour as the program stores it: either a 24-bit RGB value in
// 0x00BBGGRR order, or a reference to a system colour (high bit set, the
// low byte naming the system colour), resolved through the palette only
// when something is drawn with it.
class TColor {
public:
    // System colour indices (the low byte of a system colour reference).
    enum SystemColor : quint8 {
        scScrollBar = 0,
        scBackground = 1,
        scActiveCaption = 2,
        scInactiveCaption = 3,
        scMenu = 4,
        scWindow = 5,
        scWindowFrame = 6,
        scMenuText = 7,
        scWindowText = 8,
        scCaptionText = 9,
        scActiveBorder = 10,
        scInactiveBorder = 11,
        scAppWorkSpace = 12,
        scHighlight = 13,
        scHighlightText = 14,
        scBtnFace = 15,
        scBtnShadow = 16,
        scGrayText = 17,
        scBtnText = 18,
        scInactiveCaptionText = 19,
        scBtnHighlight = 20,
        sc3DDkShadow = 21,
        sc3DLight = 22,
        scInfoText = 23,
        scInfoBk = 24,
        scHotLight = 26,
        scGradientActiveCaption = 27,
        scGradientInactiveCaption = 28,
        scMenuHilight = 29,
        scMenuBar = 30,
    };

    static constexpr quint32 SystemFlag = 0x80000000u;

    constexpr TColor() = default;
    constexpr explicit TColor(quint32 value) : m_value(value) {}

    static constexpr TColor Rgb(int r, int g, int b)
    {
        return TColor(quint32(r & 0xFF) | (quint32(g & 0xFF) << 8) | (quint32(b & 0xFF) << 16));
    }
    static constexpr TColor System(SystemColor index) { return TColor(SystemFlag | index); }
    // The nearest storable value of a Qt colour (alpha dropped).
    static TColor FromQColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

    constexpr quint32 Value() const { return m_value; }
    constexpr bool IsSystem() const { return (m_value & SystemFlag) != 0; }

    // Channels of an RGB value; meaningless for a system reference.
    constexpr int Red() const { return int(m_value & 0xFF); }
    constexpr int Green() const { return int((m_value >> 8) & 0xFF); }
    constexpr int Blue() const { return int((m_value >> 16) & 0xFF); }

    // Resolves a system reference through the palette; RGB values as they are.
    TColor ToRgb(const QPalette& palette) const;
    TColor ToRgb() const;
    QColor ToQColor(const QPalette& palette) const;
    QColor ToQColor() const;

    constexpr bool operator==(const TColor&) const = default;

private:
    quint32 m_value = 0;
};

// Named colours used across the program.
namespace clr {
inline constexpr TColor Black = TColor::Rgb(0, 0, 0);
inline constexpr TColor White = TColor::Rgb(255, 255, 255);
inline constexpr TColor Blue = TColor::Rgb(0, 0, 255);
inline constexpr TColor Silver = TColor::Rgb(192, 192, 192);
inline constexpr TColor Gray = TColor::Rgb(128, 128, 128);
inline constexpr TColor Cream = TColor::Rgb(255, 251, 240); // 0xF0FBFF
inline constexpr TColor Orange = TColor::Rgb(255, 128, 0);  // 33023
inline constexpr TColor BtnFace = TColor::System(TColor::scBtnFace);
inline constexpr TColor BtnShadow = TColor::System(TColor::scBtnShadow);
inline constexpr TColor BtnHighlight = TColor::System(TColor::scBtnHighlight);
inline constexpr TColor BtnText = TColor::System(TColor::scBtnText);
inline constexpr TColor Highlight = TColor::System(TColor::scHighlight);
inline constexpr TColor HighlightText = TColor::System(TColor::scHighlightText);
inline constexpr TColor GrayText = TColor::System(TColor::scGrayText);
inline constexpr TColor Menu = TColor::System(TColor::scMenu);
inline constexpr TColor MenuText = TColor::System(TColor::scMenuText);
inline constexpr TColor MenuHighlight = TColor::System(TColor::scMenuHilight);
inline constexpr TColor Window = TColor::System(TColor::scWindow);
inline constexpr TColor WindowText = TColor::System(TColor::scWindowText);
} // namespace clr
