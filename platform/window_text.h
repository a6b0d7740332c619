#pragma once

#include <windows.h>

#include <string>

namespace tessaly {

// A window's whole text, however long. A copy of a password read this way is
// the caller's to wipe (wipeString).
std::string readWindowText(HWND window);

}  // namespace tessaly
