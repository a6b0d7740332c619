#pragma once

#include <windows.h>

namespace tessaly {

// Shows the viewer in place of the password window and runs the calling
// thread's messages, with the spotlight's keys, until the viewer has closed.
void runViewerLoop(HWND passwordWindow, HWND viewer);

}  // namespace tessaly
