#pragma once

#include <windows.h>

namespace tessaly {

// Asks the system to tell `window` (WM_WTSSESSION_CHANGE) when the user's
// session locks, through wtsapi32.dll of the system folder; where the system
// has no such library, nothing is told.
void watchSessionLock(HWND window);
void stopWatchingSessionLock(HWND window);

}  // namespace tessaly
