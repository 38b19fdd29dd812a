#include "app/Platform.h"

#include <QByteArray>
#include <QCoreApplication>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// Where the command line names the platform: the index of the name in
// argv, or 0.
int PlatformArgument(int argc, char* argv[])
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return i + 1;
    return 0;
}

// The platform the user asked for, empty when they left it to us.
QByteArray RequestedPlatform(int argc, char* argv[])
{
    if (const int i = PlatformArgument(argc, argv))
        return QByteArray(argv[i]);
    return qgetenv("QT_QPA_PLATFORM");
}

// What the user's environment said before; set back once Qt has read ours
// (its start-up routines run after that).
std::optional<QByteArray> UsersPlatform;

void ForgetChosenPlatform()
{
    if (UsersPlatform)
        qputenv("QT_QPA_PLATFORM", *UsersPlatform);
    else
        qunsetenv("QT_QPA_PLATFORM");
}

// Runs on X11 whatever the user asked for: the command line's choice, which
// Qt prefers, or else the environment's.
void UseX11(int argc, char* argv[])
{
    static char xcb[] = "xcb";
    if (const int i = PlatformArgument(argc, argv)) {
        argv[i] = xcb;
        return;
    }
    // Only this process runs on the platform chosen for it: the programs it
    // starts get the user's environment back.
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        UsersPlatform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", xcb);
    qAddPreRoutine(ForgetChosenPlatform);
}

// The connection that proved the display, until Qt has its own.
xcb_connection_t* Probe = nullptr;

void CloseProbe()
{
    if (Probe)
        xcb_disconnect(Probe);
    Probe = nullptr;
}

bool CanOpenXDisplay()
{
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c) != 0) {
        xcb_disconnect(c);
        return false;
    }
    // Closed only once the application object has connected (its start-up
    // routines run after that): were it the display's only client, closing
    // it now would make the server reset under Qt's own connection.
    Probe = c;
    qAddPreRoutine(CloseProbe);
    return true;
}

bool Fail(const char* sentence)
{
    std::fprintf(stderr, "%s\n", sentence);
    return false;
}

} // namespace

bool ChoosePlatform(int argc, char* argv[])
{
    const bool haveX = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool haveWayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    QByteArray platform = RequestedPlatform(argc, argv);
    // A Wayland window cannot place itself: the app-bar would become an
    // ordinary window that the compositor tiles. XWayland places it.
    const bool askedForWayland = platform.startsWith("wayland");
    if (platform.isEmpty() || askedForWayland) {
        if ((haveWayland || askedForWayland) && !haveX)
            return Fail("Zentro needs an X11 display: this Wayland session offers no XWayland "
                        "(DISPLAY is not set).");
        if (askedForWayland)
            std::fprintf(
                stderr,
                "Zentro runs on X11 (XWayland), not on the Wayland platform \"%s\" that was "
                "asked for: its app-bar places itself at the top of the screen, which a "
                "Wayland window cannot do.\n",
                platform.constData());
        platform = "xcb";
        UseX11(argc, argv);
    }
    if (!platform.startsWith("xcb"))
        return true;
    if (!haveX)
        return Fail("Zentro needs a graphical display, and none is set (DISPLAY and "
                    "WAYLAND_DISPLAY are empty).");
    if (!CanOpenXDisplay()) {
        std::fprintf(stderr, "Zentro cannot open the X display \"%s\".\n",
                     qgetenv("DISPLAY").constData());
        return false;
    }
    return true;
}
