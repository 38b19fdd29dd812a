#pragma once

class QWidget;

// Keeps a normal top-level window out of the taskbar (the EWMH state
// _NET_WM_STATE_SKIP_TASKBAR), before it is first shown. A Qt::Tool window
// would stay out as well, but Qt makes every tool window transient for the
// whole application, and window managers then keep it above all of the
// application's windows. Does nothing off X11.
void KeepOffTaskbar(QWidget* window);
