#include "image/generate_dialog.h"

#include "image/generate_worker.h"
#include "controls/dialog.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "controls/file_dialog.h"

namespace tessaly {

namespace {

// One run of the dialog, on the stack of runGenerateDialog; it fills in and
// runs the caller's job.
class GenerateDialog final : public Dialog {
public:
    explicit GenerateDialog(GenerateJob& job) : Dialog({IDC_OK, IDC_CANCEL}), job_(job) {}

private:
    BOOL onInitDialog() override
    {
        CheckRadioButton(window(), IDC_USE_PERSONAL_COLORS, IDC_USE_PERSONAL_IMAGE, IDC_USE_PERSONAL_COLORS);
        return TRUE;
    }

    bool askPicture()
    {
        char path[MAX_PATH] = {};
        if (!showFileDialog(window(), path, translate("open_file"), translate("bitmap_image"), "*.bmp", ".bmp",
                            false)) {
            return false;
        }
        SetDlgItemTextA(window(), IDC_IMAGE_PATH, path);
        CheckRadioButton(window(), IDC_USE_PERSONAL_COLORS, IDC_USE_PERSONAL_IMAGE, IDC_USE_PERSONAL_IMAGE);
        return true;
    }

    void onCommand(int id, int) override
    {
        if (id == IDC_IMAGE_SELECT) askPicture();
    }

    void onOk() override
    {
        const bool usePicture = IsDlgButtonChecked(window(), IDC_USE_PERSONAL_IMAGE) == BST_CHECKED;
        if (readWindowText(item(IDC_IMAGE_PATH)).empty() && usePicture && !askPicture()) return;
        GenerateJob& job = job_;
        job.usePersonalColors = !usePicture;
        job.personalImagePath = readWindowText(item(IDC_IMAGE_PATH));
        // Read here, on the list's own thread: the worker reads no window.
        if (job.collectEntries) job.entries = job.collectEntries();
        (void)runWithProgressWindow(window(), [&job](WorkerReport& report) { return generateWorker(job, report); });
        job.dropEntries();
        end(static_cast<INT_PTR>(WorkerDialogEnd::WorkerRan));
    }

    void onCancel() override { end(static_cast<INT_PTR>(WorkerDialogEnd::Closed)); }

    GenerateJob& job_;
};

}  // namespace

WorkerDialogEnd runGenerateDialog(HWND owner, GenerateJob& job)
{
    GenerateDialog dialog(job);
    const WorkerDialogEnd result = endOf(runModalDialog(owner, IDD_GENERATE, dialog), WorkerDialogEnd::Closed);
    // The dialog is gone: the user learns why there is no picture, or why the
    // picture has no background.
    if (result == WorkerDialogEnd::WorkerRan && job.listEmpty) {
        showTranslatedMessage(owner, "list_empty", "warning", MB_OK | MB_ICONEXCLAMATION);
    }
    if (result == WorkerDialogEnd::WorkerRan && job.backgroundMissing) {
        showTranslatedMessage(owner, "background_not_loaded", "warning", MB_OK | MB_ICONEXCLAMATION);
    }
    return result;
}

}  // namespace tessaly
