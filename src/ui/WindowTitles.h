// The titles of the desktop's top-level windows, for the application watch and its picker.
#pragma once

#include <string>
#include <vector>

namespace ui {

// The titles (UTF-8) of the windows the X11 window manager lists as clients (_NET_CLIENT_LIST), with
// _NET_WM_NAME or else WM_NAME; visibleOnly leaves out hidden and minimised windows, windows without a title
// and transient (owned) ones. Empty where the program does not run on X11 (Wayland, offscreen): the process
// list then stands in.
std::vector<std::string> TopLevelWindowTitles(bool visibleOnly);

} // namespace ui
