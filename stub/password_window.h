#pragma once

#include <windows.h>

namespace tessaly {

constexpr int kStubWindowResult = 51;
constexpr int kPeekstubExitCode = 39;

// Sent to the password window when the viewer has closed, or when there is
// nothing to show: the window ends, and with it the program.
constexpr UINT WM_VIEWER_CLOSED = WM_APP + 1;
// Sent when a guarded file's password proved wrong: the prompt comes back.
constexpr UINT WM_PASSWORD_REFUSED = WM_APP + 2;

// Dialog 101 over the desktop: the password, then the deciphering, after
// which the viewer takes over on the decryption thread. Returns when the
// window has ended, and with it the program.
void runPasswordWindow();

}  // namespace tessaly
