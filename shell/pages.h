#pragma once

#include <windows.h>

namespace tessaly {

INT_PTR CALLBACK listPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Hand a page's command or notification on to the main window; a
// notification's answer becomes the page's own.
INT_PTR forwardCommand(HWND page, WPARAM wParam, LPARAM lParam);
INT_PTR forwardNotify(HWND page, LPARAM lParam);

}  // namespace tessaly
