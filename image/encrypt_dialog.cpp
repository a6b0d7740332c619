#include "image/encrypt_dialog.h"

#include "platform/capture_exclusion.h"
#include "controls/password_pair.h"
#include "image/cipher_workers.h"
#include "controls/password_strength.h"
#include "platform/redraw.h"
#include "platform/secure_wipe.h"
#include "platform/modal_dialog.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "settings/settings.h"
#include "controls/file_dialog.h"

namespace tessaly {

namespace {

// One run of the dialog, on the stack of runEncryptDialog.
struct EncryptDialog {
    CipherJob& job;
    PasswordPair fields;
};

EncryptDialog& dialogOf(HWND window)
{
    return *windowState<EncryptDialog>(window);
}

bool createExeChecked(HWND window)
{
    return IsDlgButtonChecked(window, IDC_CREATE_EXE) == BST_CHECKED;
}

void matchPathToBox(HWND window)
{
    EnableWindow(GetDlgItem(window, IDC_EXE_PATH), createExeChecked(window));
    EnableWindow(GetDlgItem(window, IDC_SFX_GUARD), createExeChecked(window));
}

BOOL onInitDialog(HWND window, EncryptDialog& state)
{
    applyTexts(window, IDD_ENCRYPT);
    applyCapturePolicy(window, captureAllowed(settingsTable()));
    state.fields.attach(window);
    CheckDlgButton(window, IDC_CREATE_EXE, isFlagOn(settingsTable().get("create_exe")) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window, IDC_SFX_GUARD, isFlagOn(settingsTable().get("sfx_guarded")) ? BST_CHECKED : BST_UNCHECKED);
    matchPathToBox(window);
    SetDlgItemTextA(window, IDC_EXE_PATH, settingsTable().get("exe_path").c_str());
    EnableWindow(GetDlgItem(window, IDC_OK), FALSE);
    return TRUE;
}

bool askExePath(HWND window)
{
    char path[MAX_PATH] = {};
    if (!showFileDialog(window, path, translate("save_file"), translate("sfx_file"), "*.exe", ".exe", true)) {
        return false;
    }
    SetDlgItemTextA(window, IDC_EXE_PATH, path);
    CheckDlgButton(window, IDC_CREATE_EXE, BST_CHECKED);
    matchPathToBox(window);
    return true;
}

void onPasswordChanged(HWND window)
{
    EnableWindow(GetDlgItem(window, IDC_OK), dialogOf(window).fields.accepted());
    redrawNow(GetDlgItem(window, IDC_STRENGTH));
}

void onOk(HWND window)
{
    auto& state = dialogOf(window);
    if (!state.fields.accepted()) return;
    const std::string path = readWindowText(GetDlgItem(window, IDC_EXE_PATH));
    if (path.empty() && createExeChecked(window) && !askExePath(window)) return;

    CipherJob& job = state.job;
    state.fields.readPassword(job.password);
    job.createExe = createExeChecked(window);
    job.guarded = job.createExe && IsDlgButtonChecked(window, IDC_SFX_GUARD) == BST_CHECKED;
    job.exePath = readWindowText(GetDlgItem(window, IDC_EXE_PATH));
    runWithProgressWindow(
        window, [&job](WorkerReport& report) { return encryptWorker(job, report); }, job.progressWindow);
    state.fields.clear();
    EndDialog(window, kWorkerRan);
}

void closeWithoutEncrypting(HWND window)
{
    dialogOf(window).fields.clear();
    EndDialog(window, kDialogClosed);
}

void onCommand(HWND window, int id, int code)
{
    switch (id) {
    case IDC_PASSWORD:
    case IDC_PASSWORD_REPEAT:
        if (code == EN_CHANGE) onPasswordChanged(window);
        break;
    case IDC_CREATE_EXE:
        matchPathToBox(window);
        break;
    case IDC_EXE_PATH_SAVE:
        askExePath(window);
        break;
    case IDC_OK:
    case IDOK:
        onOk(window);
        break;
    case IDC_CANCEL:
    case IDCANCEL:
        closeWithoutEncrypting(window);
        break;
    default:
        break;
    }
}

INT_PTR CALLBACK encryptDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return onInitDialog(window, lendWindowState<EncryptDialog>(window, lParam));
    if (withoutLentWindowState<EncryptDialog>(window, message)) return FALSE;
    switch (message) {
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DRAWITEM:
        return drawStrengthMeter(window, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_CLOSE:
        closeWithoutEncrypting(window);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR runEncryptDialog(HWND owner, CipherJob& job)
{
    EncryptDialog dialog{job, {}};
    const INT_PTR result = runModalDialog(owner, IDD_ENCRYPT, encryptDialogProc, dialog);
    // Told once the dialog is gone: the encrypted picture is there, the file is not.
    if (job.built == SelfExtractorResult::CannotCreate || job.built == SelfExtractorResult::Failed) {
        showTranslatedMessage(owner, "cannot_create_sfx", "error", MB_OK | MB_ICONERROR);
    } else if (job.built == SelfExtractorResult::NoSystemCrypto) {
        showTranslatedMessage(owner, "system_crypto_unavailable", "error", MB_OK | MB_ICONERROR);
    }
    return result;
}

}  // namespace tessaly
