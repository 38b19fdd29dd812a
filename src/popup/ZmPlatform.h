#pragma once

// The platform's menu settings as the popup menus follow them, and the
// few services they ask of the desktop (event sounds, help).

#include <QFont>
#include <QPoint>
#include <QRect>

#include <functional>

namespace ZmPlatform {

// The delay before a submenu opens, or closes, under a resting pointer:
// the application style's submenu pop-up delay, never negative; 400 ms
// when there is no style to ask.
int MenuShowDelay();

// Flat menus (a 1-pixel frame, selection in the menu-highlight colour),
// unless the application runs the classic "Windows" style, whose menus
// have a raised 3-D frame.
bool FlatMenus();

// The platform's menu font.
QFont MenuFont();

// The work area of the screen under a point (or of the primary screen).
QRect WorkAreaAt(QPoint point);

// Whether accelerator characters are underlined before the keyboard is
// used in a menu.
bool UnderlineAcceleratorsAlways();

// How long the pointer rests before a tooltip appears.
int HintDelay();

enum TZmEventSound { esMenuPopup, esMenuCommand };

// Plays the event sound of the desktop's sound theme ("menu-popup",
// "menu-click") asynchronously, when the desktop offers one through
// libcanberra; silent otherwise. Returns whether a sound was started.
bool PlayEventSound(TZmEventSound sound);

// The application's help: shows the topic of a help context. Menus call
// it for F1 on an item with a HelpContext. Without a handler, nothing.
void SetHelpHandler(std::function<void(int helpContext)> handler);
void ShowHelp(int helpContext);

} // namespace ZmPlatform
