#pragma once

class QString;

// The application's title, which the dialogs of the HTML views carry. Kept
// apart from Qt's application display name, which X11 would append to the
// caption of every window.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

// Set once the event loop has ended and the remaining windows are being
// destroyed; the Full Mode window saves its toolbar layout only then.
bool ApplicationTerminating();
void SetApplicationTerminating();
