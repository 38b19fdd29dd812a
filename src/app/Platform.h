#pragma once

// Which display Zentro runs on, decided before the application object
// exists. The app-bar places itself in global screen coordinates, which
// only X11 gives a client: in a Wayland session Zentro runs on XWayland.

// Picks the X11 platform unless the user chose another one than Wayland
// (QT_QPA_PLATFORM or -platform; a Wayland choice is overruled, with one
// sentence on stderr saying why), and makes sure the X display can be opened. Returns false
// after printing one sentence on stderr when there is no display to use;
// the caller then exits with a non-zero status instead of letting Qt abort.
bool ChoosePlatform(int argc, char* argv[]);
