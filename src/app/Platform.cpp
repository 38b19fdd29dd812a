#include "app/Platform.h"

#include <QByteArray>
#include <QCoreApplication>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstring>

namespace {

// The platform the user asked for, empty when they left it to us.
QByteArray RequestedPlatform(int argc, char* argv[])
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return QByteArray(argv[i + 1]);
    return qgetenv("QT_QPA_PLATFORM");
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

// Qt has read the platform we chose by now: the programs Zentro starts get
// the user's environment.
void ForgetChosenPlatform()
{
    qunsetenv("QT_QPA_PLATFORM");
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
    if (platform.isEmpty()) {
        if (haveWayland && !haveX)
            return Fail("Zentro needs an X11 display: this Wayland session offers no XWayland "
                        "(DISPLAY is not set).");
        // Qt would take the Wayland platform in a Wayland session, where a
        // window cannot be placed; XWayland places it.
        platform = "xcb";
        qputenv("QT_QPA_PLATFORM", platform);
        qAddPreRoutine(ForgetChosenPlatform);
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
