#include "appbar/XcbConnection.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

xcb_connection_t* OpenOwnXcbConnection(uint32_t* root)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    *root = it.data->root;
    return connection;
}
