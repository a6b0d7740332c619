#pragma once

#include <windows.h>

namespace tessaly {

// The user's choice on screen captures, applied to `window`: unless captures
// are allowed, asks the system to keep the window out of them, with the
// first display affinity it accepts of those the rules give. A system that
// accepts none changes nothing, and nothing is said.
void applyCapturePolicy(HWND window, bool allowCapture);

// How an affinity is asked for: SetWindowDisplayAffinity. Tests put another
// in its place to see what is asked where the system cannot show it (Wine
// accepts no affinity); answers the one it replaced.
using DisplayAffinitySetter = BOOL(WINAPI*)(HWND window, DWORD affinity);
DisplayAffinitySetter replaceDisplayAffinitySetter(DisplayAffinitySetter setter);

}  // namespace tessaly
