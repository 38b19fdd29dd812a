#include "app/TaskbarEntry.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

} // namespace

void KeepOffTaskbar(QWidget* window)
{
    // The offscreen platform answers the X11 interface too, without a
    // connection.
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || window->isVisible())
        return;
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t skip = Atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;
    // Qt merges the states it sets at mapping time with what it finds here.
    xcb_change_property(c, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window->winId()), state,
                        XCB_ATOM_ATOM, 32, 1, &skip);
    xcb_flush(c);
}
