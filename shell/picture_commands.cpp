#include "shell/commands.h"

#include <commctrl.h>

#include "controls/file_dialog.h"
#include "formats/bitmap_file.h"
#include "image/decrypt_dialog.h"
#include "image/encrypt_dialog.h"
#include "image/generate_dialog.h"
#include "platform/file_paths.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "shell/main_window.h"
#include "shell/password_list.h"

namespace tessaly {

namespace {

bool askBitmapFile(HWND window, char (&path)[MAX_PATH], bool save)
{
    return showFileDialog(window, path, translate(save ? "save_file" : "open_file"), translate("bitmap_image"), "*.bmp",
                          ".bmp", save);
}

// Save BMP (the image page's picture) and Save Encrypted BMP (the encrypted
// page's).
void saveImage(HWND window, int pageIndex)
{
    HBITMAP image = slotShownIn(mainWindowState(window), pageIndex).get();
    if (!image) {
        showTranslatedMessage(window, "no_image_to_save", "warning", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    char path[MAX_PATH] = {};
    if (!askBitmapFile(window, path, true)) return;
    if (!writeBitmapFile(image, path)) showTranslatedMessage(window, "cannot_save_file", "error", MB_OK | MB_ICONERROR);
}

// Load BMP (into the image page) and Load Encrypted BMP (into the encrypted
// page): the file is loaded before anything is cleared.
void loadImage(HWND window, int pageIndex)
{
    if (!mayDiscardChanges(window)) return;
    char path[MAX_PATH] = {};
    if (!askBitmapFile(window, path, false)) return;
    BitmapLoadStatus status = BitmapLoadStatus::NotAnImage;
    BitmapHandle image(loadBitmapFile(path, &status));
    if (!image) {
        const char* key = status == BitmapLoadStatus::TooLarge ? "image_too_large" : "cannot_load_image";
        showTranslatedMessage(window, key, "error", MB_OK | MB_ICONERROR);
        return;
    }
    clearAll(window);
    showPage(window, pageIndex);
    picturePublisher(mainWindowState(window), pageIndex)(std::move(image));
}

void onGenerateImage(HWND window)
{
    auto& state = mainWindowState(window);
    GenerateJob job;
    HWND list = listControl(listPage(window));
    job.collectEntries = [list] { return collectEntries(list, true); };
    job.publishPlain = picturePublisher(state, kImagePage);
    job.publishEncrypted = picturePublisher(state, kEncryptedPage);
    if (runGenerateDialog(window, job) != WorkerDialogEnd::WorkerRan) return;
    // A cancelled run leaves the list undrawn.
    if (state.pictures.plainImage) state.imageOutOfDate = false;
    showPage(window, kImagePage);
}

// The job of the Encrypt or Decrypt dialog: the picture of one page turned
// into the other's, and the image page's spotlight for a self-extracting file.
void prepareCipherJob(CipherJob& job, MainWindowState& state, int fromPage, int toPage)
{
    job.source = slotShownIn(state, fromPage).get();
    job.publish = picturePublisher(state, toPage);
    HWND imagePage = state.pages[kImagePage];
    job.spotlightRadius = static_cast<int>(SendDlgItemMessageA(imagePage, IDC_SPOTLIGHT_SIZE, TBM_GETPOS, 0, 0));
    job.spotlightOn = IsDlgButtonChecked(imagePage, IDC_SPOTLIGHT) == BST_CHECKED;
}

void onEncrypt(HWND window)
{
    auto& state = mainWindowState(window);
    if (state.imageOutOfDate) {
        if (showTranslatedMessage(window, "regenerate_bmp", "warning", MB_YESNO | MB_ICONQUESTION) == IDYES) {
            onGenerateImage(window);
            return;
        }
        state.imageOutOfDate = false;
    }
    // A worker given no picture would have nothing to encrypt.
    if (!state.pictures.plainImage) {
        showTranslatedMessage(window, "no_image_to_encrypt", "warning", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CipherJob job;
    prepareCipherJob(job, state, kImagePage, kEncryptedPage);
    if (runEncryptDialog(window, job) != WorkerDialogEnd::WorkerRan) return;
    // A guarded file leaves nothing for the Encrypted page to show.
    if (!job.guarded) showPage(window, kEncryptedPage);
    if (job.createExe && job.built == SelfExtractorResult::Built) {
        showStatus(window, formatName(translate("status_written"), fileNameOf(job.exePath)));
    }
}

void onDecrypt(HWND window)
{
    auto& state = mainWindowState(window);
    if (!state.pictures.encryptedImage) {
        showTranslatedMessage(window, "no_image_to_decrypt", "warning", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CipherJob job;
    prepareCipherJob(job, state, kEncryptedPage, kImagePage);
    if (runDecryptDialog(window, job) == WorkerDialogEnd::WorkerRan) showPage(window, kImagePage);
}

}  // namespace

std::vector<Command> pictureCommands()
{
    return {
        {ID_FILE_SAVE_BMP, [](HWND window) { saveImage(window, kImagePage); }},
        {ID_FILE_SAVE_ENCRYPTED_BMP, [](HWND window) { saveImage(window, kEncryptedPage); }},
        {ID_FILE_LOAD_BMP, [](HWND window) { loadImage(window, kImagePage); }},
        {ID_FILE_LOAD_ENCRYPTED_BMP, [](HWND window) { loadImage(window, kEncryptedPage); }},
        {IDC_GENERATE_IMAGE, onGenerateImage},
        {IDC_ENCRYPT, onEncrypt},
        {IDC_DECRYPT, onDecrypt},
    };
}

}  // namespace tessaly
