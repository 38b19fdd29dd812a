#pragma once

#include <cstdint>

struct xcb_connection_t;

// A connection of the app-bar's own to the X display, apart from Qt's, and
// the root window of its default screen. Null off X11 or when the display
// cannot be opened.
xcb_connection_t* OpenOwnXcbConnection(uint32_t* root);
