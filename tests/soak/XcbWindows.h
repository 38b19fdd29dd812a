#pragma once

// What the soak needs to know of the program's windows, asked of the X
// server directly (one round of requests instead of a process per window),
// and the close request a window manager's close box would send.

#include <QList>
#include <QRect>
#include <QString>

#include <cstdint>

struct xcb_connection_t;

enum class SoakWindowKind {
    Window, // a top-level window of the program (app-bar, Full Mode, composer, ...)
    Dialog, // a dialog window
    Popup,  // a menu or list that pops up (override-redirect)
    Tooltip // a hint: never a target
};

struct SoakWindow {
    std::uint32_t id = 0;
    QString name;
    QRect rect; // in screen coordinates
    SoakWindowKind kind = SoakWindowKind::Window;
};

class XcbWindows {
public:
    XcbWindows();
    ~XcbWindows();
    XcbWindows(const XcbWindows&) = delete;
    XcbWindows& operator=(const XcbWindows&) = delete;

    bool IsConnected() const;
    // The mapped windows of the process, bottom of the stack first.
    QList<SoakWindow> VisibleWindowsOf(qint64 pid);
    // WM_DELETE_WINDOW, as a window manager sends it for the close box.
    void RequestClose(std::uint32_t window);

private:
    std::uint32_t Atom(const char* name);

    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_root = 0;
    std::uint32_t m_netWmPid = 0;
    std::uint32_t m_netWmName = 0;
    std::uint32_t m_utf8String = 0;
    std::uint32_t m_windowType = 0;
    std::uint32_t m_typeDialog = 0;
    std::uint32_t m_typeTooltip = 0;
    std::uint32_t m_wmProtocols = 0;
    std::uint32_t m_wmDeleteWindow = 0;
};
