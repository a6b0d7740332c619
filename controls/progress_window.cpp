#include "controls/progress_window.h"

#include <commctrl.h>

#include <memory>
#include <new>

#include "platform/capture_exclusion.h"
#include "settings/settings.h"
#include "cipher/progress_bar_reporter.h"
#include "platform/win32_handles.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "settings/message_box.h"

namespace tessaly {

namespace {

constexpr UINT WM_WORKER_FINISHED = WM_APP + 1;
constexpr UINT WM_RUN_TASK = WM_APP + 2;

// One run of the progress window: it lives on the stack of
// runWithProgressWindow, which waits for the worker's thread before it ends.
class ProgressRun final : public WorkerReport {
public:
    ProgressRun(Worker worker, HWND* shownIn) : worker_(std::move(worker)), shownIn_(shownIn) {}

    void setStatusText(const std::string& text) override
    {
        SetDlgItemTextA(window_, IDC_PROGRESS_STATUS, text.c_str());
    }
    CipherProgress& progress() override { return *bar_; }
    const std::atomic<bool>& cancelFlag() const override { return cancelled_; }
    void onWindowThread(const std::function<void()>& task) override
    {
        SendMessageA(window_, WM_RUN_TASK, 0, reinterpret_cast<LPARAM>(&task));
    }

    BOOL onInitDialog(HWND window);
    void onCancel();
    void onWorkerFinished(WorkerOutcome outcome);
    void waitForWorker()
    {
        if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }

private:
    static DWORD WINAPI threadEntry(void* self);
    void close(INT_PTR result);

    Worker worker_;
    HWND* shownIn_;
    HWND window_ = nullptr;
    std::unique_ptr<ProgressBarReporter> bar_;
    std::atomic<bool> cancelled_{false};
    KernelHandle thread_;
};

// No exception leaves the thread: a worker that throws counts as stopped,
// or as out of memory when that is what it threw.
DWORD WINAPI ProgressRun::threadEntry(void* self)
{
    auto* run = static_cast<ProgressRun*>(self);
    WorkerOutcome outcome = WorkerOutcome::Cancelled;
    try {
        outcome = run->worker_(*run);
    } catch (const std::bad_alloc&) {
        outcome = WorkerOutcome::OutOfMemory;
    } catch (...) {
        outcome = WorkerOutcome::Cancelled;
    }
    PostMessageA(run->window_, WM_WORKER_FINISHED, static_cast<WPARAM>(outcome), 0);
    return 0;
}

BOOL ProgressRun::onInitDialog(HWND window)
{
    window_ = window;
    if (shownIn_) *shownIn_ = window;
    applyTexts(window, IDD_PROGRESS);
    applyCapturePolicy(window, captureAllowed(settingsTable()));
    bar_ = std::make_unique<ProgressBarReporter>(GetDlgItem(window, IDC_PROGRESS_BAR), &cancelled_);
    DWORD threadId = 0;
    thread_.reset(CreateThread(nullptr, 0, threadEntry, this, 0, &threadId));
    if (!thread_) {
        showTranslatedMessage(window, "image_too_large", "error", MB_OK | MB_ICONERROR);
        close(kWorkerRan);
        return TRUE;
    }
    // Where the worker's thread id is kept while it runs.
    SetWindowLongPtrA(window, DWLP_USER, static_cast<LONG_PTR>(threadId));
    // Shown now: a modal dialog shows itself only once its queue is idle,
    // and a worker that keeps handing work to this thread never lets it be.
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    return TRUE;
}

// Cancel asks the worker to stop; the window closes when the worker says it
// has, so no thread is ever ended from outside.
void ProgressRun::onCancel()
{
    cancelled_ = true;
    EnableWindow(GetDlgItem(window_, IDC_CANCEL), FALSE);
}

void ProgressRun::onWorkerFinished(WorkerOutcome outcome)
{
    SetWindowLongPtrA(window_, DWLP_USER, 0);
    if (outcome == WorkerOutcome::OutOfMemory) {
        showTranslatedMessage(window_, "image_too_large", "error", MB_OK | MB_ICONERROR);
    }
    close(outcome == WorkerOutcome::Cancelled ? kDialogClosed : kWorkerRan);
}

void ProgressRun::close(INT_PTR result)
{
    if (shownIn_) *shownIn_ = nullptr;
    EndDialog(window_, result);
}

INT_PTR CALLBACK progressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return lendWindowState<ProgressRun>(window, lParam).onInitDialog(window);
    if (withoutLentWindowState<ProgressRun>(window, message)) return FALSE;
    ProgressRun* run = windowState<ProgressRun>(window);
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_CANCEL || LOWORD(wParam) == IDCANCEL) run->onCancel();
        return TRUE;
    case WM_CLOSE:
        run->onCancel();
        return TRUE;
    case WM_WORKER_FINISHED:
        run->onWorkerFinished(static_cast<WorkerOutcome>(wParam));
        return TRUE;
    case WM_RUN_TASK:
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR runWithProgressWindow(HWND owner, Worker worker, HWND* shownIn)
{
    ProgressRun run(std::move(worker), shownIn);
    const INT_PTR result = runModalDialog(owner, IDD_PROGRESS, progressWindowProc, run);
    run.waitForWorker();
    if (shownIn) *shownIn = nullptr;
    return result;
}

}  // namespace tessaly
