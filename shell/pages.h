#pragma once

#include <windows.h>

namespace tessaly {

// Dialog 106 over the main window: the list of entries and its boxes.
HWND createListPage(HWND parent);

// Hand a page's command or notification on to the main window; a
// notification's answer becomes the page's own.
void forwardCommand(HWND page, int id, int code);
INT_PTR forwardNotify(HWND page, LPARAM lParam);

}  // namespace tessaly
