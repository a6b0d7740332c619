#include "shell/find_dialog.h"

#include "platform/capture_exclusion.h"
#include "platform/modal_dialog.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/settings.h"
#include "shell/commands.h"
#include "shell/main_window.h"

namespace tessaly {

namespace {

// One run of the dialog, on the stack of runFindDialog.
struct FindDialog {
    HWND mainWindow;
};

BOOL onInitDialog(HWND window, FindDialog& state)
{
    applyTexts(window, IDD_FIND);
    applyCapturePolicy(window, captureAllowed(settingsTable()));
    SetDlgItemTextA(window, IDC_FIND_TEXT, mainWindowState(state.mainWindow).lastSearch.c_str());
    SendDlgItemMessageA(window, IDC_FIND_TEXT, EM_SETSEL, 0, -1);
    return TRUE;
}

void onFindNext(HWND window)
{
    HWND mainWindow = windowState<FindDialog>(window)->mainWindow;
    mainWindowState(mainWindow).lastSearch = readWindowText(GetDlgItem(window, IDC_FIND_TEXT));
    findNextRow(mainWindow, window);
}

INT_PTR CALLBACK findDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return onInitDialog(window, lendWindowState<FindDialog>(window, lParam));
    if (withoutLentWindowState<FindDialog>(window, message)) return FALSE;
    const int id = LOWORD(wParam);
    if (message == WM_COMMAND && (id == IDC_OK || id == IDOK)) {
        onFindNext(window);
        return TRUE;
    }
    if (message == WM_CLOSE || (message == WM_COMMAND && (id == IDC_CANCEL || id == IDCANCEL))) {
        EndDialog(window, kDialogClosed);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR runFindDialog(HWND mainWindow)
{
    FindDialog dialog{mainWindow};
    return runModalDialog(mainWindow, IDD_FIND, findDialogProc, dialog);
}

}  // namespace tessaly
