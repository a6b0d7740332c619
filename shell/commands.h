#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tessaly {

// The main window's commands, by menu or control id, in families of a file
// each; the main window dispatches through them.
struct Command {
    int id;
    void (*handle)(HWND mainWindow);
};

// New, Add, Delete, Refresh and the Show boxes.
std::vector<Command> listCommands();
// Load and Save List, plain or protected.
std::vector<Command> listFileCommands();
// Load and Save BMP and Encrypted BMP, Generate Image, Encrypt, Decrypt.
std::vector<Command> pictureCommands();
// Copy the user name or the password of the selected row.
std::vector<Command> clipboardCommands();
// Generate Password, Find and Find Next.
std::vector<Command> editCommands();
// File > Recent Lists.
std::vector<Command> recentListCommands();
// Lock, and the locked window's Unlock.
std::vector<Command> lockCommands();
// Import and Export CSV.
std::vector<Command> csvCommands();
// The help pages and the About box.
std::vector<Command> helpCommands();

// Masks password field `fieldId` unless box `showBoxId` is checked.
void setPasswordMask(HWND mainWindow, int fieldId, int showBoxId);
// Empties the Add and Select panes' fields, each overwritten first so that
// no copy of a password stays in the control.
void emptyPanes(HWND mainWindow);
// Empties the list, every field and both pictures; the list has no file
// any more.
void clearAll(HWND mainWindow);
void clearFieldsAndPictures(HWND mainWindow);
// Before the list goes (New, a load, the end): with unsaved changes, asks
// whether to save them, and saves when told to (a locked list as it was
// sealed). False when the user chose to stay, or the save did not happen.
bool mayDiscardChanges(HWND mainWindow);
// The same where the list goes without unsaved changes too (New, Exit):
// then the action's own Yes/No question, by its text and caption keys.
bool mayLeaveList(HWND mainWindow, const char* questionKey, const char* captionKey);
// Opens a list file as Load List does once a file is chosen.
void openListFile(HWND mainWindow, const std::string& path);
// The lists loaded or saved last: `path` goes first, the menu follows. At
// start the newest is opened again, unless the settings say not to.
void rememberList(HWND mainWindow, const std::string& path);
void showRecentLists(HWND mainWindow);
void reopenLastList(HWND mainWindow);
// Seals a protected list in memory under its key and empties the window of
// it; a plain list cannot be locked. Unlock asks for the passphrase until
// the list opens or the user gives up (false).
void lockList(HWND mainWindow);
// Writes a locked list, with its unsaved changes, to its file as it was
// sealed: no passphrase is needed. False when nothing was written.
[[nodiscard]] bool saveLockedList(HWND mainWindow);
[[nodiscard]] bool unlockList(HWND mainWindow);
// The Select pane follows the list's selection; leaving a row whose edit
// was not applied asks, once the selection settles (WM_ASK_TO_APPLY_EDIT),
// whether to apply it, or to stay on the row.
constexpr UINT WM_ASK_TO_APPLY_EDIT = WM_APP + 11;
void onListSelectionChanged(HWND mainWindow);
void askToApplyEdit(HWND mainWindow);
// After a sort, which moves the selection with its rows.
void followSortedRows(HWND mainWindow);
// F2, Enter or a double-click on a row: to the Select pane's first field.
void editSelectedRow(HWND mainWindow);
// Asks, then deletes the selected rows.
void deleteSelectedRows(HWND mainWindow);
// Copies cell `column` (0 user, 1 password) of the selected row; it leaves
// the clipboard again after a while.
void copySelectedCell(HWND mainWindow, int column);
// The right-click menu of the list: copy the user name or the password.
void showCopyMenu(HWND mainWindow);
// The clipboard timer: the copy goes unless something else was copied since.
void onClipboardTimer(HWND mainWindow);
// Selects and shows the next row whose user name or description holds the
// last search, as a click would; says so over `messageOwner` when none does.
void findNextRow(HWND mainWindow, HWND messageOwner);

}  // namespace tessaly
