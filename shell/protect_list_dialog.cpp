#include "shell/protect_list_dialog.h"

#include "controls/password_pair.h"
#include "platform/capture_exclusion.h"
#include "platform/modal_dialog.h"
#include "platform/redraw.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/settings.h"

namespace tessaly {

namespace {

// One run of the dialog, on the stack of askNewListPassword.
struct ProtectListDialog {
    std::string& password;
    PasswordPair fields;
};

ProtectListDialog& dialogOf(HWND window)
{
    return *windowState<ProtectListDialog>(window);
}

BOOL onInitDialog(HWND window, ProtectListDialog& state)
{
    applyTexts(window, IDD_PROTECT_LIST);
    applyCapturePolicy(window, captureAllowed(settingsTable()));
    state.fields.attach(window, MaskedPasswordField::kMaxPassphraseLength, kMinPassphraseLength);
    return TRUE;
}

void onPasswordChanged(HWND window)
{
    EnableWindow(GetDlgItem(window, IDC_OK), dialogOf(window).fields.accepted());
    redrawNow(GetDlgItem(window, IDC_STRENGTH));
}

void close(HWND window, INT_PTR result)
{
    auto& state = dialogOf(window);
    if (result == IDOK) state.fields.readPassword(state.password);
    state.fields.clear();
    EndDialog(window, result);
}

void onCommand(HWND window, int id, int code)
{
    if ((id == IDC_PASSWORD || id == IDC_PASSWORD_REPEAT) && code == EN_CHANGE) {
        onPasswordChanged(window);
    } else if ((id == IDC_OK || id == IDOK) && dialogOf(window).fields.accepted()) {
        close(window, IDOK);
    } else if (id == IDC_CANCEL || id == IDCANCEL) {
        close(window, kDialogClosed);
    }
}

INT_PTR CALLBACK protectListDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return onInitDialog(window, lendWindowState<ProtectListDialog>(window, lParam));
    if (withoutLentWindowState<ProtectListDialog>(window, message)) return FALSE;
    switch (message) {
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DRAWITEM:
        return drawStrengthMeter(window, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_CLOSE:
        close(window, kDialogClosed);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

bool askNewListPassword(HWND owner, std::string& password)
{
    ProtectListDialog dialog{password, {}};
    return runModalDialog(owner, IDD_PROTECT_LIST, protectListDialogProc, dialog) == IDOK;
}

}  // namespace tessaly
