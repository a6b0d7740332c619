#include "image/image_workers.h"

#include <commctrl.h>

#include "cipher/progress_bar_reporter.h"
#include "image/encrypt_job.h"
#include "image/image_cipher.h"
#include "image/progress_window.h"
#include "shell/main_window.h"

namespace tessaly {

namespace {

constexpr int kImagePage = 1;
constexpr int kEncryptedPage = 2;

struct SlotChange {
    HBITMAP* slot;
    HWND page;
    HBITMAP image;
};

// On the window thread, so no repaint ever sees a picture being deleted.
void replaceSlot(void* context)
{
    auto* change = static_cast<SlotChange*>(context);
    const HBITMAP old = *change->slot;
    *change->slot = change->image;
    showImageInPage(change->page, change->image);
    if (old && old != change->image) DeleteObject(old);
}

DWORD runImageJob(const EncryptJob& job, bool encrypt)
{
    auto& state = mainWindowState();
    HBITMAP* target = encrypt ? &state.encryptedImage : &state.plainImage;
    HWND page = state.pages[encrypt ? kEncryptedPage : kImagePage];
    const HBITMAP source = encrypt ? state.plainImage : state.encryptedImage;

    SlotChange emptied{target, page, nullptr};
    runOnWindowThread(replaceSlot, &emptied);
    SendMessageA(progressBar(), PBM_SETPOS, 0, 0);

    ProgressBarReporter bar(progressBar(), progressCancelFlag());
    ImageCipherReport report;
    report.status = setProgressStatus;
    report.progress = &bar;
    report.cancelled = progressCancelFlag();
    HBITMAP result = encrypt ? encryptImage(source, job, report) : decryptImage(source, job, report);
    if (result && progressCancelled()) {
        DeleteObject(result);
        result = nullptr;
    }
    if (result) {
        SlotChange published{target, page, result};
        runOnWindowThread(replaceSlot, &published);
    }
    finishWorker(result                ? WorkerOutcome::Finished
                 : report.outOfMemory  ? WorkerOutcome::OutOfMemory
                                       : WorkerOutcome::Cancelled);
    return 1;
}

}  // namespace

DWORD WINAPI runEncryptJob(void* job)
{
    return runImageJob(*static_cast<EncryptJob*>(job), true);
}

DWORD WINAPI decryptWorker(void* job)
{
    return runImageJob(*static_cast<EncryptJob*>(job), false);
}

}  // namespace tessaly
