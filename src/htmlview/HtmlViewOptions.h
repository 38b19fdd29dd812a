#pragma once

#include <QFlags>
#include <QtGlobal>

// What the view may download and run. Each member's value is its flag; the
// OR of a set is the download-control value the view works with.
//
// How each flag maps onto the engine here:
//   DLCTL_DLIMAGES             images load (AutoLoadImages; image requests blocked without it)
//   DLCTL_VIDEOS               audio and video resources load (media requests blocked without it)
//   DLCTL_BGSOUNDS             the page may play sound (the page is muted without it)
//   DLCTL_NO_FRAMEDOWNLOAD     frames and iframes are not loaded
//   DLCTL_RESYNCHRONIZE,
//   DLCTL_PRAGMA_NO_CACHE      requests carry "Cache-Control: no-cache" and "Pragma: no-cache"
//   DLCTL_FORCEOFFLINE,
//   DLCTL_OFFLINE              no http or https request leaves the program
//   DLCTL_NO_SCRIPTS,
//   DLCTL_NO_JAVA,
//   DLCTL_NO_RUNACTIVEXCTLS,
//   DLCTL_NO_DLACTIVEXCTLS     always in force whatever the set says: the pages' own scripts,
//                              plug-ins and their downloads never run (only the bridge runs)
//   all others                 no effect on this engine
enum TDownloadControlOption : quint32 {
    DLCTL_DLIMAGES = 0x10,
    DLCTL_VIDEOS = 0x20,
    DLCTL_BGSOUNDS = 0x40,
    DLCTL_NO_SCRIPTS = 0x80,
    DLCTL_NO_JAVA = 0x100,
    DLCTL_NO_RUNACTIVEXCTLS = 0x200,
    DLCTL_NO_DLACTIVEXCTLS = 0x400,
    DLCTL_DOWNLOADONLY = 0x800,
    DLCTL_NO_FRAMEDOWNLOAD = 0x1000,
    DLCTL_RESYNCHRONIZE = 0x2000,
    DLCTL_PRAGMA_NO_CACHE = 0x4000,
    DLCTL_NO_BEHAVIORS = 0x8000,
    DLCTL_NO_METACHARSET = 0x10000,
    DLCTL_URL_ENCODING_DISABLE_UTF8 = 0x20000,
    DLCTL_URL_ENCODING_ENABLE_UTF8 = 0x40000,
    DLCTL_FORCEOFFLINE = 0x10000000,
    DLCTL_NO_CLIENTPULL = 0x20000000,
    DLCTL_SILENT = 0x40000000,
    DLCTL_OFFLINE = 0x80000000,
};
Q_DECLARE_FLAGS(TDownloadControlOptions, TDownloadControlOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDownloadControlOptions)

// Images, videos and background sounds: the set every window gives its view.
inline constexpr TDownloadControlOptions DefaultDownloadOptions{DLCTL_DLIMAGES | DLCTL_VIDEOS |
                                                                DLCTL_BGSOUNDS};

// How the view presents itself. Effects here:
//   NO3DBORDER        no sunken border around the view (one is drawn without it)
//   SCROLL_NO         no scroll bars
//   FLAT_SCROLLBAR    flat, plain scroll bars
//   DIV_BLOCKDEFAULT  Enter in the editor starts a <div> instead of a <p>
//   all others        no effect on this engine
enum TUserInterfaceOption : quint32 {
    DIALOG = 0x1,
    DISABLE_HELP_MENU = 0x2,
    NO3DBORDER = 0x4,
    SCROLL_NO = 0x8,
    DISABLE_SCRIPT_INACTIVE = 0x10,
    OPENNEWWIN = 0x20,
    DISABLE_OFFSCREEN = 0x40,
    FLAT_SCROLLBAR = 0x80,
    DIV_BLOCKDEFAULT = 0x100,
    ACTIVATE_CLIENTHIT_ONLY = 0x200,
    OVERRIDEBEHAVIORFACTORY = 0x400,
    CODEPAGELINKEDFONTS = 0x800,
    URL_ENCODING_DISABLE_UTF8 = 0x1000,
    URL_ENCODING_ENABLE_UTF8 = 0x2000,
    ENABLE_FORMS_AUTOCOMPLETE = 0x4000,
    ENABLE_INPLACE_NAVIGATION = 0x10000,
    IME_ENABLE_RECONVERSION = 0x20000,
};
Q_DECLARE_FLAGS(TUserInterfaceOptions, TUserInterfaceOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TUserInterfaceOptions)

// Status codes of the host's answers to the view.
enum THostResult : int { S_OK = 0, S_FALSE = 1 };

// What was under the pointer when a context menu was asked for.
enum TContextMenuKind : quint32 {
    cmDefault = 0,
    cmImage = 1,
    cmControl = 2,
    cmTable = 3,
    cmTextSelect = 4,
    cmAnchor = 5,
};
