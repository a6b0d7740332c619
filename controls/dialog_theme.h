#pragma once

#include <windows.h>

namespace tessaly {

// Gives a dialog the tab-page background texture. Only the NT 5 family needs
// the call; elsewhere, or without the theme library, it does nothing.
void enableDialogTheme(HWND window, DWORD flags);

}  // namespace tessaly
