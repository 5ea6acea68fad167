// Whether the editor has a display to show its windows on. Qt ends the program with an
// abort when its platform cannot reach one, so the program asks first and says so itself.
#pragma once

// The line the program prints on standard error when there is no display.
inline constexpr const char* NoDisplayMessage =
    "velmora-studio: no display can be reached; the editor needs a desktop session";

// True when one of the Qt platforms that will be tried ("-platform" on the command line,
// else QT_QPA_PLATFORM, else Qt's own choice: Wayland first in a Wayland session, then
// X11) can show windows: an X server or a Wayland compositor that accepts a connection,
// or a platform that needs no display server (offscreen, minimal ...).
bool DisplayReachable(int argc, char** argv);
