#include "image/progress_window.h"

#include <commctrl.h>

#include <memory>
#include <new>

#include "controls/dialog.h"
#include "controls/progress_bar_reporter.h"
#include "platform/win32_handles.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/message_box.h"

namespace tessaly {

namespace {

constexpr UINT WM_WORKER_FINISHED = WM_APP + 1;
constexpr UINT WM_RUN_TASK = WM_APP + 2;

// One run of the progress window: it lives on the stack of
// runWithProgressWindow, which waits for the worker's thread before it ends.
class ProgressRun final : public Dialog, public WorkerReport {
public:
    explicit ProgressRun(Worker worker) : Dialog({IDOK, IDC_CANCEL}), worker_(std::move(worker)) {}

    void setStatusText(const std::string& text) override
    {
        SetDlgItemTextA(window(), IDC_PROGRESS_STATUS, text.c_str());
    }
    Progress& progress() override { return *bar_; }
    const std::atomic<bool>& cancelFlag() const override { return cancelled_; }
    void onWindowThread(const std::function<void()>& task) override
    {
        SendMessageA(window(), WM_RUN_TASK, 0, reinterpret_cast<LPARAM>(&task));
    }

    void showBusy(bool busy) override
    {
        onWindowThread([this, busy] { showMarquee(item(IDC_PROGRESS_BAR), busy); });
    }

    void waitForWorker()
    {
        if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }

private:
    static DWORD WINAPI threadEntry(void* self);
    BOOL onInitDialog() override;
    // Cancel asks the worker to stop; the window closes when the worker says
    // it has, so no thread is ever ended from outside.
    void onCancel() override
    {
        cancelled_ = true;
        EnableWindow(item(IDC_CANCEL), FALSE);
    }
    std::optional<INT_PTR> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onWorkerFinished(WorkerOutcome outcome);

    Worker worker_;
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
    PostMessageA(run->window(), WM_WORKER_FINISHED, static_cast<WPARAM>(outcome), 0);
    return 0;
}

BOOL ProgressRun::onInitDialog()
{
    bar_ = std::make_unique<ProgressBarReporter>(item(IDC_PROGRESS_BAR), &cancelled_);
    thread_.reset(CreateThread(nullptr, 0, threadEntry, static_cast<ProgressRun*>(this), 0, nullptr));
    if (!thread_) {
        showTranslatedMessage(window(), "image_too_large", "error", MB_OK | MB_ICONERROR);
        end(static_cast<INT_PTR>(WorkerEnd::Ran));
        return TRUE;
    }
    // Shown now: a modal dialog shows itself only once its queue is idle,
    // and a worker that keeps handing work to this thread never lets it be.
    ShowWindow(window(), SW_SHOW);
    SetForegroundWindow(window());
    return TRUE;
}

std::optional<INT_PTR> ProgressRun::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WORKER_FINISHED) {
        onWorkerFinished(static_cast<WorkerOutcome>(wParam));
        return TRUE;
    }
    if (message == WM_RUN_TASK) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return TRUE;
    }
    return std::nullopt;
}

void ProgressRun::onWorkerFinished(WorkerOutcome outcome)
{
    if (outcome == WorkerOutcome::OutOfMemory) {
        showTranslatedMessage(window(), "image_too_large", "error", MB_OK | MB_ICONERROR);
    }
    end(static_cast<INT_PTR>(outcome == WorkerOutcome::Cancelled ? WorkerEnd::Cancelled : WorkerEnd::Ran));
}

}  // namespace

WorkerEnd runWithProgressWindow(HWND owner, Worker worker)
{
    ProgressRun run(std::move(worker));
    const INT_PTR result = runModalDialog(owner, IDD_PROGRESS, run);
    run.waitForWorker();
    return endOf(result, WorkerEnd::Cancelled);
}

}  // namespace tessaly
