#pragma once

#include "base/TColor.h"

#include <QFont>
#include <QString>

class QWidget;

// A font of a family at a pixel size, as the window layouts give them.
QFont PixelFont(const QString& family, int pixels, bool bold = false, bool italic = false);

// Fills a widget's background with a colour.
void SetBackground(QWidget* widget, TColor color);

// The look the windows are designed with: their face at 11 pixels on the
// platform's button-face colour.
void SetWindowLook(QWidget* window, const QString& family = QStringLiteral("MS Sans Serif"));
