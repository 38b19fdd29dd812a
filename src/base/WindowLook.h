#pragma once

#include "base/TColor.h"

#include <QFont>
#include <QString>

class QScreen;
class QWidget;

// A font of a family at a pixel size, as the window layouts give them.
QFont PixelFont(const QString& family, int pixels, bool bold = false, bool italic = false);

// Fills a widget's background with a colour.
void SetBackground(QWidget* widget, TColor color);

// The look the windows are designed with: their face at 11 pixels on the
// platform's button-face colour.
void SetWindowLook(QWidget* window, const QString& family = QStringLiteral("MS Sans Serif"));

// Makes sure a window and every widget inside it paint off-screen: in Qt
// that is the backing store of the top-level window, so widgets must not
// paint straight onto the screen (WA_PaintOnScreen) and must not carry a
// native window of their own, which the backing store cannot buffer.
// Widgets that host foreign surfaces (the HTML engine's view) are skipped.
void SetDoubleBufferedDeep(QWidget* control);

// Shows a window the user asked for in front, with the keyboard focus: a
// minimized one is restored first.
void ShowInFront(QWidget* window);

// The monitor of the window that opens another: the app-bar's, the
// primary one, when none does.
QScreen* OpenersScreen(const QWidget* opener);

// Moves a window from its designed place, relative to the top-left corner
// of the desktop, to the same place on the monitor of the window that opens
// it (the app-bar's monitor, the primary one, when none does), kept inside
// that monitor's work area. Runs once, before the window is shown.
void PlaceOnOpenersMonitor(QWidget* window, const QWidget* opener);

// Sends what the program has asked of the X server so far: a window
// property set from a timer (the fade's opacity) otherwise waits in the
// output buffer until the next event or paint. Nothing off X11.
void FlushWindowSystem();
