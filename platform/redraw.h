#pragma once

#include <windows.h>

namespace tessaly {

// Invalidates and erases a window and repaints it before returning.
inline void redrawNow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace tessaly
