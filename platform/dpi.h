#pragma once

#include <windows.h>

#include "platform/win32_handles.h"

namespace tessaly {

// A size given in pixels at 96 dots per inch, at the screen's resolution:
// the programs declare themselves DPI-aware, so the system does not stretch
// them and what is drawn in pixels must grow with the screen's DPI itself.
inline int scaledForScreen(int pixels)
{
    WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return MulDiv(pixels, dpi > 0 ? dpi : 96, 96);
}

}  // namespace tessaly
