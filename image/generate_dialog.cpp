#include "image/generate_dialog.h"

#include "platform/capture_exclusion.h"
#include "settings/settings.h"
#include "image/generate_worker.h"
#include "platform/modal_dialog.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "controls/file_dialog.h"

namespace tessaly {

namespace {

// The dialog's state is the job it fills in and runs, on the caller's stack.
GenerateJob& jobOf(HWND window)
{
    return *windowState<GenerateJob>(window);
}

BOOL onInitDialog(HWND window)
{
    applyTexts(window, IDD_GENERATE);
    applyCapturePolicy(window, captureAllowed(settingsTable()));
    CheckRadioButton(window, IDC_USE_PERSONAL_COLORS, IDC_USE_PERSONAL_IMAGE, IDC_USE_PERSONAL_COLORS);
    return TRUE;
}

bool askPicture(HWND window)
{
    char path[MAX_PATH] = {};
    if (!showFileDialog(window, path, translate("open_file"), translate("bitmap_image"), "*.bmp", ".bmp", false)) {
        return false;
    }
    SetDlgItemTextA(window, IDC_IMAGE_PATH, path);
    CheckRadioButton(window, IDC_USE_PERSONAL_COLORS, IDC_USE_PERSONAL_IMAGE, IDC_USE_PERSONAL_IMAGE);
    return true;
}

void onOk(HWND window)
{
    const bool usePicture = IsDlgButtonChecked(window, IDC_USE_PERSONAL_IMAGE) == BST_CHECKED;
    if (readWindowText(GetDlgItem(window, IDC_IMAGE_PATH)).empty() && usePicture && !askPicture(window)) return;
    GenerateJob& job = jobOf(window);
    job.usePersonalColors = !usePicture;
    job.personalImagePath = readWindowText(GetDlgItem(window, IDC_IMAGE_PATH));
    // Read here, on the list's own thread: the worker reads no window.
    if (job.collectEntries) job.entries = job.collectEntries();
    runWithProgressWindow(
        window, [&job](WorkerReport& report) { return generateWorker(job, report); }, job.progressWindow);
    job.wipeEntries();
    EndDialog(window, kWorkerRan);
}

void onCommand(HWND window, int id)
{
    if (id == IDC_IMAGE_SELECT) {
        askPicture(window);
    } else if (id == IDC_OK || id == IDOK) {
        onOk(window);
    } else if (id == IDC_CANCEL || id == IDCANCEL) {
        EndDialog(window, kDialogClosed);
    }
}

INT_PTR CALLBACK generateDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        lendWindowState<GenerateJob>(window, lParam);
        return onInitDialog(window);
    }
    if (withoutLentWindowState<GenerateJob>(window, message)) return FALSE;
    switch (message) {
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(window, kDialogClosed);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR runGenerateDialog(HWND owner, GenerateJob& job)
{
    const INT_PTR result = runModalDialog(owner, IDD_GENERATE, generateDialogProc, job);
    // The dialog is gone: the user learns why there is no picture, or why the
    // picture has no background.
    if (result == kWorkerRan && job.listEmpty) {
        showTranslatedMessage(owner, "list_empty", "warning", MB_OK | MB_ICONEXCLAMATION);
    }
    if (result == kWorkerRan && job.backgroundMissing) {
        showTranslatedMessage(owner, "background_not_loaded", "warning", MB_OK | MB_ICONEXCLAMATION);
    }
    return result;
}

}  // namespace tessaly
