#pragma once

#include <windows.h>

namespace tessaly {

// Gives a window the large and small icons of this program's resources.
// They are loaded shared, so they live as long as the program and the
// window never keeps an icon that is gone.
void setWindowIcons(HWND window, int largeId, int smallId);

}  // namespace tessaly
