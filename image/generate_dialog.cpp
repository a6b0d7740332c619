#include "image/generate_dialog.h"

#include <memory>

#include "platform/capture_exclusion.h"
#include "settings/settings.h"
#include "image/generate_worker.h"
#include "platform/window_state.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "shell/file_dialog.h"

namespace tessaly {

namespace {

constexpr INT_PTR kClosed = 153;

// One run of the dialog, on the stack of runGenerateDialog.
struct GenerateDialogRun {
    const GenerateDialogSetup& setup;
    bool backgroundMissing = false;
};

struct GenerateDialog {
    GenerateDialogRun* run = nullptr;
};

GenerateDialogRun& runOf(HWND window)
{
    return *windowState<GenerateDialog>(window)->run;
}

BOOL onInitDialog(HWND window, GenerateDialogRun* run)
{
    attachWindowState(window, std::make_unique<GenerateDialog>(GenerateDialog{run}));
    applyTexts(window, IDD_GENERATE);
    excludeFromCapture(window, captureAllowed(settingsTable()));
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
    auto& run = runOf(window);
    const auto& setup = run.setup;
    GenerateJob job;
    job.usePersonalColors = !usePicture;
    job.personalImagePath = readWindowText(GetDlgItem(window, IDC_IMAGE_PATH));
    job.readEntries = setup.readEntries;
    job.publishPlain = setup.publishPlain;
    job.publishEncrypted = setup.publishEncrypted;
    runWithProgressWindow(
        window, [&job](WorkerReport& report) { return generateWorker(job, report); }, setup.progressWindow);
    run.backgroundMissing = job.backgroundMissing;
    EndDialog(window, 0);
}

void onCommand(HWND window, int id)
{
    if (id == IDC_IMAGE_SELECT) {
        askPicture(window);
    } else if (id == IDC_OK || id == IDOK) {
        onOk(window);
    } else if (id == IDC_CANCEL || id == IDCANCEL) {
        EndDialog(window, kClosed);
    }
}

INT_PTR CALLBACK generateDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return onInitDialog(window, reinterpret_cast<GenerateDialogRun*>(lParam));
    if (withoutWindowState<GenerateDialog>(window, message)) return FALSE;
    switch (message) {
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(window, kClosed);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR runGenerateDialog(HWND owner, const GenerateDialogSetup& setup)
{
    GenerateDialogRun run{setup};
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_GENERATE), owner,
                                           generateDialogProc, reinterpret_cast<LPARAM>(&run));
    // The picture is made and the dialog gone: the user learns why the
    // picture has no background.
    if (result == 0 && run.backgroundMissing) {
        showTranslatedMessage(owner, "background_not_loaded", "warning", MB_OK | MB_ICONEXCLAMATION);
    }
    return result;
}

}  // namespace tessaly
