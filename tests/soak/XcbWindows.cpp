#include "XcbWindows.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

template <typename Reply> struct Freed {
    Reply* reply;
    explicit Freed(Reply* r) : reply(r) {}
    ~Freed() { std::free(reply); }
    Freed(const Freed&) = delete;
    Freed& operator=(const Freed&) = delete;
    Reply* operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};

QString PropertyText(xcb_get_property_reply_t* reply)
{
    if (!reply || reply->format != 8)
        return {};
    const int length = xcb_get_property_value_length(reply);
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply)), length);
}

} // namespace

XcbWindows::XcbWindows()
{
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection))
        return;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    m_netWmPid = Atom("_NET_WM_PID");
    m_netWmName = Atom("_NET_WM_NAME");
    m_utf8String = Atom("UTF8_STRING");
    m_windowType = Atom("_NET_WM_WINDOW_TYPE");
    m_typeDialog = Atom("_NET_WM_WINDOW_TYPE_DIALOG");
    m_typeTooltip = Atom("_NET_WM_WINDOW_TYPE_TOOLTIP");
    m_wmProtocols = Atom("WM_PROTOCOLS");
    m_wmDeleteWindow = Atom("WM_DELETE_WINDOW");
}

XcbWindows::~XcbWindows()
{
    xcb_disconnect(m_connection);
}

bool XcbWindows::IsConnected() const
{
    return m_connection && !xcb_connection_has_error(m_connection);
}

std::uint32_t XcbWindows::Atom(const char* name)
{
    const auto cookie = xcb_intern_atom(m_connection, 0, std::uint16_t(std::strlen(name)), name);
    Freed reply(xcb_intern_atom_reply(m_connection, cookie, nullptr));
    return reply ? reply->atom : std::uint32_t(XCB_ATOM_NONE);
}

QList<SoakWindow> XcbWindows::VisibleWindowsOf(qint64 pid)
{
    QList<SoakWindow> out;
    if (!IsConnected())
        return out;
    Freed tree(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr));
    if (!tree)
        return out;
    const xcb_window_t* children = xcb_query_tree_children(tree.reply);
    const int count = xcb_query_tree_children_length(tree.reply);

    // Every question goes out before the first answer is read.
    struct Pending {
        xcb_get_window_attributes_cookie_t attributes;
        xcb_get_property_cookie_t pid;
        xcb_get_geometry_cookie_t geometry;
        xcb_get_property_cookie_t name;
        xcb_get_property_cookie_t type;
    };
    std::vector<Pending> pending(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const xcb_window_t w = children[i];
        pending[std::size_t(i)] = {
            xcb_get_window_attributes(m_connection, w),
            xcb_get_property(m_connection, 0, w, m_netWmPid, XCB_ATOM_CARDINAL, 0, 1),
            xcb_get_geometry(m_connection, w),
            xcb_get_property(m_connection, 0, w, m_netWmName, m_utf8String, 0, 256),
            xcb_get_property(m_connection, 0, w, m_windowType, XCB_ATOM_ATOM, 0, 8)};
    }
    for (int i = 0; i < count; ++i) {
        const Pending& p = pending[std::size_t(i)];
        Freed attributes(xcb_get_window_attributes_reply(m_connection, p.attributes, nullptr));
        Freed pidReply(xcb_get_property_reply(m_connection, p.pid, nullptr));
        Freed geometry(xcb_get_geometry_reply(m_connection, p.geometry, nullptr));
        Freed name(xcb_get_property_reply(m_connection, p.name, nullptr));
        Freed type(xcb_get_property_reply(m_connection, p.type, nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE || !geometry)
            continue;
        if (!pidReply || xcb_get_property_value_length(pidReply.reply) != 4 ||
            *static_cast<const std::uint32_t*>(xcb_get_property_value(pidReply.reply)) !=
                std::uint32_t(pid))
            continue;

        SoakWindow w;
        w.id = children[i];
        w.name = PropertyText(name.reply);
        w.rect = QRect(geometry->x, geometry->y, geometry->width, geometry->height);
        bool dialog = false, tooltip = false;
        if (type && type->format == 32) {
            const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(type.reply));
            const int n = xcb_get_property_value_length(type.reply) / 4;
            for (int k = 0; k < n; ++k) {
                dialog |= atoms[k] == m_typeDialog;
                tooltip |= atoms[k] == m_typeTooltip;
            }
        }
        // The program's own popup menus are windows of the tooltip kind
        // (never activated, placed exactly); they carry their own name.
        if (tooltip && w.name != QLatin1String("Zentro menu"))
            w.kind = SoakWindowKind::Tooltip;
        else if (attributes->override_redirect)
            w.kind = SoakWindowKind::Popup;
        else if (dialog)
            w.kind = SoakWindowKind::Dialog;
        out.append(w);
    }
    return out;
}

void XcbWindows::RequestClose(std::uint32_t window)
{
    if (!IsConnected())
        return;
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = m_wmProtocols;
    event.data.data32[0] = m_wmDeleteWindow;
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(m_connection);
}
