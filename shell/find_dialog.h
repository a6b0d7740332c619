#pragma once

#include <windows.h>

namespace tessaly {

// Dialog 122 over the main window: Find Next selects the next row whose user
// name or description holds the text, and stays open; Close ends it.
void runFindDialog(HWND mainWindow);

}  // namespace tessaly
