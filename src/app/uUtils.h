#pragma once

#include <QString>
#include <QtGlobal>

class QScreen;
class QWidget;

// Packs four presence values (Zentro, Yahoo, MSN, ICQ; each 0..3) into one
// byte, Zentro in the top bits. 8-bit arithmetic: the sum wraps modulo 256.
quint8 JoinPresence(quint8 Zentro, quint8 Yahoo, quint8 MSN, quint8 ICQ);

// Unpacks a presence byte into its four 2-bit fields.
void SplitPresence(quint8 Value, quint8& Zentro, quint8& Yahoo, quint8& MSN, quint8& ICQ);

// Makes sure a window and every widget inside it paint off-screen: in Qt
// that is the backing store of the top-level window, so widgets must not
// paint straight onto the screen (WA_PaintOnScreen) and must not carry a
// native window of their own, which the backing store cannot buffer.
// Widgets that host foreign surfaces (the HTML engine's view) are skipped.
void SetDoubleBufferedDeep(QWidget* control);

// Creates a composer, fills in its four header fields and shows it.
void OpenComposer(const QString& Subject, const QString& To, const QString& CC, const QString& BCC);

// The monitor of the window that opens another: the app-bar's, the
// primary one, when none does.
QScreen* OpenersScreen(const QWidget* opener);

// Moves a window from its designed place, relative to the top-left corner
// of the desktop, to the same place on the monitor of the window that opens
// it (the app-bar's monitor, the primary one, when none does), kept inside
// that monitor's work area. Runs once, before the window is shown.
void PlaceOnOpenersMonitor(QWidget* window, const QWidget* opener);

// Shows a window the user asked for in front, with the keyboard focus: a
// minimized one is restored first.
void ShowInFront(QWidget* window);
