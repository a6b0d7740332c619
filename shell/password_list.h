#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "formats/list_file.h"

namespace tessaly {

// The password list: its rows belong to the list page, in display order;
// the page's list control shows them and holds only their number and the
// selection. Everything here runs on the window's thread.
HWND listControl(HWND listPage);
std::vector<PasswordEntry>& listRows(HWND listPage);

void appendEntry(HWND listPage, const PasswordEntry& entry);
bool updateSelectedEntry(HWND listPage, const PasswordEntry& entry);
bool deleteSelectedEntries(HWND listPage);
void clearEntries(HWND listPage);

// Appends many entries with one redraw at the end.
void appendEntries(HWND listPage, const std::vector<PasswordEntry>& entries);
void appendEntries(HWND listPage, const PasswordEntry* first, size_t count);

// Every row in display order, its cells read whole. Labelled: each field is
// prefixed with the language text of its column key and ": ".
std::vector<PasswordEntry> collectEntries(HWND list, bool labelled);

// The selected rows, top to bottom.
std::vector<int> selectedRows(HWND list);

// Cell `column` of row `row`, however long.
std::string cellText(HWND list, int row, int column);

}  // namespace tessaly
