#include "shell/open_protected_list_dialog.h"

#include "controls/masked_password_field.h"
#include "platform/capture_exclusion.h"
#include "platform/modal_dialog.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/settings.h"

namespace tessaly {

namespace {

// One run of the dialog, on the stack of askListPassword.
struct OpenProtectedListDialog {
    std::string& password;
    MaskedPasswordField field;
};

OpenProtectedListDialog& dialogOf(HWND window)
{
    return *windowState<OpenProtectedListDialog>(window);
}

HWND passwordField(HWND window)
{
    return GetDlgItem(window, IDC_PASSWORD);
}

BOOL onInitDialog(HWND window, OpenProtectedListDialog& state)
{
    applyTexts(window, IDD_OPEN_PROTECTED_LIST);
    applyCapturePolicy(window, captureAllowed(settingsTable()));
    state.field.attach(passwordField(window), MaskedPasswordField::kMaxPassphraseLength);
    EnableWindow(GetDlgItem(window, IDC_OK), FALSE);
    return TRUE;
}

void close(HWND window, INT_PTR result)
{
    if (result == IDOK) readWindowText(passwordField(window), dialogOf(window).password);
    wipeWindowText(passwordField(window));
    EndDialog(window, result);
}

void onCommand(HWND window, int id, int code)
{
    if (id == IDC_PASSWORD && code == EN_CHANGE) {
        EnableWindow(GetDlgItem(window, IDC_OK), GetWindowTextLengthA(passwordField(window)) > 0);
    } else if ((id == IDC_OK || id == IDOK) && GetWindowTextLengthA(passwordField(window)) > 0) {
        close(window, IDOK);
    } else if (id == IDC_CANCEL || id == IDCANCEL) {
        close(window, kDialogClosed);
    }
}

INT_PTR CALLBACK openProtectedListDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        return onInitDialog(window, lendWindowState<OpenProtectedListDialog>(window, lParam));
    }
    if (withoutLentWindowState<OpenProtectedListDialog>(window, message)) return FALSE;
    switch (message) {
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        close(window, kDialogClosed);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

bool askListPassword(HWND owner, std::string& password)
{
    OpenProtectedListDialog dialog{password, {}};
    return runModalDialog(owner, IDD_OPEN_PROTECTED_LIST, openProtectedListDialogProc, dialog) == IDOK;
}

}  // namespace tessaly
