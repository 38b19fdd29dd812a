#include "appbar/SummonKey.h"

#include "appbar/XcbConnection.h"

#include <QSocketNotifier>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr xcb_keysym_t KeysymLowerZ = 0x7a;
constexpr uint16_t Modifiers = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
// Caps Lock and Num Lock (Mod2 on every common layout) must not matter.
constexpr uint16_t Locks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                              XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

struct TFree {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using TReply = std::unique_ptr<T, TFree>;

xcb_keycode_t KeycodeOf(xcb_connection_t* c, xcb_keysym_t sym)
{
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    TReply<xcb_get_keyboard_mapping_reply_t> map(xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, uint8_t(count)), nullptr));
    if (!map || map->keysyms_per_keycode == 0)
        return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
    for (int k = 0; k < count; ++k)
        for (int i = 0; i < map->keysyms_per_keycode && i < 2; ++i)
            if (syms[k * map->keysyms_per_keycode + i] == sym)
                return xcb_keycode_t(setup->min_keycode + k);
    return 0;
}

} // namespace

TSummonKey::TSummonKey(QObject* parent) : QObject(parent)
{
    uint32_t root = 0;
    m_connection = OpenOwnXcbConnection(&root);
    if (!m_connection)
        return;
    m_root = root;
    Grab();
    m_notifier =
        new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TSummonKey::ReadEvents);
}

TSummonKey::~TSummonKey()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

void TSummonKey::Grab()
{
    const xcb_keycode_t code = KeycodeOf(m_connection, KeysymLowerZ);
    if (code == 0)
        return;
    bool taken = false;
    for (const uint16_t lock : Locks) {
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(m_connection, 1, m_root, Modifiers | lock, code,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        TReply<xcb_generic_error_t> error(xcb_request_check(m_connection, cookie));
        taken |= lock == 0 && error;
    }
    if (taken) {
        std::fprintf(stderr, "Zentro: Ctrl+Alt+Z is taken by another program; the app-bar "
                             "cannot be summoned from the keyboard.\n");
        return;
    }
    m_keycode = code;
}

void TSummonKey::ReadEvents()
{
    bool pressed = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        if ((event->response_type & ~0x80) == XCB_KEY_PRESS) {
            const auto* e = reinterpret_cast<xcb_key_press_event_t*>(event);
            pressed |= e->detail == m_keycode && (e->state & Modifiers) == Modifiers;
        }
        std::free(event);
    }
    if (xcb_connection_has_error(m_connection)) {
        m_notifier->setEnabled(false);
        return;
    }
    if (pressed)
        emit Pressed();
}

bool TSummonKey::TakeFocus(QWidget* window)
{
    if (!m_connection)
        return false;
    const auto own = static_cast<xcb_window_t>(window->winId());
    TReply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    if (focus && focus->focus != own)
        m_previousFocus = focus->focus;
    // The server's time: the key's own press may be older than the last
    // change of focus that another client made meanwhile.
    xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_PARENT, own, XCB_CURRENT_TIME);
    xcb_flush(m_connection);
    return true;
}

void TSummonKey::GiveFocusBack(QWidget* window)
{
    if (!m_connection)
        return;
    const auto own = static_cast<xcb_window_t>(window->winId());
    TReply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    if (!focus || focus->focus != own)
        return;
    // A window gone since sets no focus: the pointer's window gets it then.
    const xcb_window_t back =
        m_previousFocus ? m_previousFocus : xcb_window_t(XCB_INPUT_FOCUS_POINTER_ROOT);
    TReply<xcb_generic_error_t> error(xcb_request_check(
        m_connection, xcb_set_input_focus_checked(m_connection, XCB_INPUT_FOCUS_POINTER_ROOT, back,
                                                  XCB_CURRENT_TIME)));
    if (error)
        xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_POINTER_ROOT,
                            XCB_INPUT_FOCUS_POINTER_ROOT, XCB_CURRENT_TIME);
    xcb_flush(m_connection);
    m_previousFocus = 0;
}
