#pragma once

#include "commandbars/ColorMap.h"

#include <QProxyStyle>

// The "XP Style" look of the command bars and their menus: flat bars in
// the map's bar colour, the item under the pointer filled and framed,
// menus with a coloured picture column, pressed buttons in the map's
// selected-button colour. One instance per colour map; the bars and the
// menus they open share it.
class TXPStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit TXPStyle(const TColorMap& map);

    const TColorMap& ColorMap() const { return m_map; }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

    // Menu items carrying this property are drawn on the unused-item colour.
    static const char* UnusedProperty;

private:
    void DrawMenuItem(const class QStyleOptionMenuItem* item, QPainter* painter,
                      const QWidget* widget) const;
    void DrawHotFrame(QPainter* painter, const QRect& rect, bool pressed) const;
    int MnemonicFlags() const;

    TColorMap m_map;
};
