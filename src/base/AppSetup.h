#pragma once

class QApplication;

// Application-wide settings once the QApplication exists: names, the hint
// style, no quitting when windows close (only the app-bar's "Exit" ends
// the program), the classic UI faces the windows ask for, and Zentro's
// icon for every window unless the caller sets it later.
enum class TIconTiming { Now, Later };
void SetUpApplication(QApplication& app, TIconTiming icon = TIconTiming::Now);

// Every window shows Zentro's icon unless it has one of its own; rendering
// it at the window manager's sizes takes a few milliseconds, which the
// program spends after its first window is up. Does nothing once set.
void SetApplicationIcon();
