#include "image/decrypt_dialog.h"

#include <memory>

#include "platform/capture_exclusion.h"
#include "settings/settings.h"
#include "image/encrypt_job.h"
#include "image/image_workers.h"
#include "platform/window_state.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"

namespace tessaly {

namespace {

constexpr INT_PTR kClosed = 153;

struct DecryptDialog {
    CipherDialogSetup setup;
    PasswordPair fields;
};

DecryptDialog& dialogOf(HWND window)
{
    return *windowState<DecryptDialog>(window);
}

BOOL onInitDialog(HWND window, const CipherDialogSetup& setup)
{
    auto* state = attachWindowState(window, std::make_unique<DecryptDialog>());
    state->setup = setup;
    applyTexts(window, IDD_DECRYPT);
    excludeFromCapture(window, captureAllowed(settingsTable()));
    state->fields.attach(window);
    EnableWindow(GetDlgItem(window, IDC_OK), FALSE);
    return TRUE;
}

void onOk(HWND window)
{
    auto& state = dialogOf(window);
    if (!state.fields.accepted()) return;
    EncryptJob job;
    job.password = state.fields.password();
    job.source = state.setup.source;
    job.publish = state.setup.publish;
    runWithProgressWindow(
        window, [&job](WorkerReport& report) { return decryptWorker(job, report); }, state.setup.progressWindow);
    state.fields.clear();
    EndDialog(window, 0);
}

void closeWithoutDecrypting(HWND window)
{
    dialogOf(window).fields.clear();
    EndDialog(window, kClosed);
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
    if (message == WM_INITDIALOG) return onInitDialog(window, *reinterpret_cast<const CipherDialogSetup*>(lParam));
    if (withoutWindowState<DecryptDialog>(window, message)) return FALSE;
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

INT_PTR runDecryptDialog(HWND owner, const CipherDialogSetup& setup)
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DECRYPT), owner, decryptDialogProc,
                           reinterpret_cast<LPARAM>(&setup));
}

}  // namespace tessaly
