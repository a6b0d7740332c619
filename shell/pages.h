#pragma once

#include <windows.h>

#include "shell/password_list_model.h"

namespace tessaly {

// Dialog 106 over the main window: the list of entries and its boxes,
// showing `list`, which outlives it.
HWND createListPage(HWND parent, PasswordList& list);

// Hand a page's command or notification on to the main window; a
// notification's answer becomes the page's own.
void forwardCommand(HWND page, int id, int code);
INT_PTR forwardNotify(HWND page, LPARAM lParam);

}  // namespace tessaly
