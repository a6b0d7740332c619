#include "image/decrypt_dialog.h"

#include "controls/password_pair.h"
#include "image/cipher_workers.h"
#include "platform/capture_exclusion.h"
#include "platform/modal_dialog.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/settings.h"

namespace tessaly {

namespace {

// One run of the dialog, on the stack of runDecryptDialog.
struct DecryptDialog {
    CipherJob& job;
    PasswordPair fields;
};

DecryptDialog& dialogOf(HWND window)
{
    return *windowState<DecryptDialog>(window);
}

BOOL onInitDialog(HWND window, DecryptDialog& state)
{
    applyTexts(window, IDD_DECRYPT);
    applyCapturePolicy(window, captureAllowed(settingsTable()));
    state.fields.attach(window);
    EnableWindow(GetDlgItem(window, IDC_OK), FALSE);
    return TRUE;
}

void onOk(HWND window)
{
    auto& state = dialogOf(window);
    if (!state.fields.accepted()) return;
    CipherJob& job = state.job;
    state.fields.readPassword(job.password);
    runWithProgressWindow(
        window, [&job](WorkerReport& report) { return decryptWorker(job, report); }, job.progressWindow);
    state.fields.clear();
    EndDialog(window, kWorkerRan);
}

void closeWithoutDecrypting(HWND window)
{
    dialogOf(window).fields.clear();
    EndDialog(window, kDialogClosed);
}

void onCommand(HWND window, int id, int code)
{
    if ((id == IDC_PASSWORD || id == IDC_PASSWORD_REPEAT) && code == EN_CHANGE) {
        EnableWindow(GetDlgItem(window, IDC_OK), dialogOf(window).fields.accepted());
    } else if (id == IDC_OK || id == IDOK) {
        onOk(window);
    } else if (id == IDC_CANCEL || id == IDCANCEL) {
        closeWithoutDecrypting(window);
    }
}

INT_PTR CALLBACK decryptDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return onInitDialog(window, lendWindowState<DecryptDialog>(window, lParam));
    if (withoutLentWindowState<DecryptDialog>(window, message)) return FALSE;
    switch (message) {
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        closeWithoutDecrypting(window);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR runDecryptDialog(HWND owner, CipherJob& job)
{
    DecryptDialog dialog{job, {}};
    return runModalDialog(owner, IDD_DECRYPT, decryptDialogProc, dialog);
}

}  // namespace tessaly
