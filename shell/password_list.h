#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "formats/list_file.h"
#include "shell/password_list_model.h"

namespace tessaly {

// The password list as the list page shows it: the main window owns the
// list, the page's list control shows it and holds only the number of rows
// and the selection. These change the list and tell the control; everything
// here runs on the window's thread.
HWND listControl(HWND listPage);
PasswordList& listOf(HWND listPage);

void appendEntry(HWND listPage, const PasswordEntry& entry);
void updateEntry(HWND listPage, size_t row, const PasswordEntry& entry);
// Deletes rows (as selectedRows gives them) and unselects every row.
void deleteEntries(HWND listPage, const std::vector<int>& rows);
void clearEntries(HWND listPage);

// Appends many entries with one redraw at the end.
void appendEntries(HWND listPage, const std::vector<PasswordEntry>& entries);
void appendEntries(HWND listPage, const PasswordEntry* first, size_t count);

// Every row in display order, its cells read whole. Labelled: each field is
// prefixed with the language text of its column key and ": ".
std::vector<PasswordEntry> collectEntries(HWND list, bool labelled);

// The selected rows, top to bottom.
std::vector<int> selectedRows(HWND list);

// Selects exactly `rows`, the first of them with the focus and in sight.
void selectRows(HWND list, const std::vector<int>& rows);

// Cell `column` of row `row`, however long.
std::string cellText(HWND list, int row, int column);

// How a line break of a description shows on one line: " ¶ ", in the
// programs' text.
const std::string& lineBreakMark();

}  // namespace tessaly
