#include "appbar/StayOnTop.h"

#include "appbar/XcbConnection.h"

#include <QSocketNotifier>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

TStayOnTop::TStayOnTop(QWidget* window) : QObject(window), m_window(window)
{
    uint32_t root = 0;
    m_connection = OpenOwnXcbConnection(&root);
    if (!m_connection)
        return;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
    m_notifier =
        new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TStayOnTop::ReadEvents);
}

TStayOnTop::~TStayOnTop()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

void TStayOnTop::ReadEvents()
{
    const auto own = static_cast<xcb_window_t>(m_window->winId());
    bool covered = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        switch (event->response_type & ~0x80) {
        case XCB_MAP_NOTIFY: {
            const auto* e = reinterpret_cast<xcb_map_notify_event_t*>(event);
            // Menus and tips bypass the manager too: they may lie above.
            covered |= !e->override_redirect && e->window != own;
            break;
        }
        case XCB_CONFIGURE_NOTIFY: {
            const auto* e = reinterpret_cast<xcb_configure_notify_event_t*>(event);
            covered |= !e->override_redirect && e->window != own;
            break;
        }
        default:
            break;
        }
        std::free(event);
    }
    if (xcb_connection_has_error(m_connection)) {
        // The display went away; Qt's own connection reports that.
        m_notifier->setEnabled(false);
        return;
    }
    if (covered && m_window->isVisible())
        Raise();
}

void TStayOnTop::Raise()
{
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(m_connection, static_cast<xcb_window_t>(m_window->winId()),
                         XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_flush(m_connection);
}
