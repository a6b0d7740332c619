#include "image/progress_window.h"

#include <commctrl.h>

#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/win32_handles.h"

namespace tessaly {

namespace {

constexpr UINT WM_WORKER_FINISHED = WM_APP + 1;
constexpr UINT WM_RUN_TASK = WM_APP + 2;

// The one run at a time: the window is modal and its owner waits.
struct ProgressRun {
    WorkerEntry worker = nullptr;
    void* job = nullptr;
    std::atomic<bool> cancelled{false};
    HANDLE thread = nullptr;
    HWND window = nullptr;
};

ProgressRun& run()
{
    static ProgressRun current;
    return current;
}

BOOL onInitDialog(HWND window)
{
    auto& current = run();
    current.window = window;
    applyTexts(window, IDD_PROGRESS);
    DWORD threadId = 0;
    current.thread = CreateThread(nullptr, 0, current.worker, current.job, 0, &threadId);
    if (!current.thread) {
        showTranslatedMessage(window, "image_too_large", "error", MB_OK | MB_ICONERROR);
        EndDialog(window, 0);
        return TRUE;
    }
    SetWindowLongPtrA(window, DWLP_USER, static_cast<LONG_PTR>(threadId));
    SetForegroundWindow(window);
    return TRUE;
}

// Cancel asks the worker to stop; the window closes when the worker says it
// has, so no thread is ever ended from outside.
void onCancel(HWND window)
{
    run().cancelled = true;
    EnableWindow(GetDlgItem(window, IDC_CANCEL), FALSE);
}

void onWorkerFinished(HWND window, WorkerOutcome outcome)
{
    SetWindowLongPtrA(window, DWLP_USER, 0);
    if (outcome == WorkerOutcome::OutOfMemory) {
        showTranslatedMessage(window, "image_too_large", "error", MB_OK | MB_ICONERROR);
    }
    mainWindowState().progressWindow = nullptr;
    EndDialog(window, outcome == WorkerOutcome::Cancelled ? kProgressCancelled : 0);
}

INT_PTR CALLBACK progressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_NCDESTROY && message != WM_DESTROY) mainWindowState().progressWindow = window;
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(window);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_CANCEL || LOWORD(wParam) == IDCANCEL) onCancel(window);
        return TRUE;
    case WM_CLOSE:
        onCancel(window);
        return TRUE;
    case WM_WORKER_FINISHED:
        onWorkerFinished(window, static_cast<WorkerOutcome>(wParam));
        return TRUE;
    case WM_RUN_TASK:
        reinterpret_cast<void (*)(void*)>(wParam)(reinterpret_cast<void*>(lParam));
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR runWithProgressWindow(HWND owner, WorkerEntry worker, void* job)
{
    auto& current = run();
    current.worker = worker;
    current.job = job;
    current.cancelled = false;
    current.thread = nullptr;
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRESS), owner,
                                           progressWindowProc, 0);
    if (current.thread) {
        KernelHandle thread(current.thread);
        WaitForSingleObject(thread.get(), INFINITE);
    }
    current.thread = nullptr;
    current.window = nullptr;
    mainWindowState().progressWindow = nullptr;
    return result;
}

bool progressCancelled()
{
    return run().cancelled;
}

const std::atomic<bool>* progressCancelFlag()
{
    return &run().cancelled;
}

HWND progressBar()
{
    return GetDlgItem(run().window, IDC_PROGRESS_BAR);
}

void setProgressStatus(const char* key)
{
    SetDlgItemTextA(run().window, IDC_PROGRESS_STATUS, translate(key).c_str());
}

void runOnWindowThread(void (*task)(void* context), void* context)
{
    SendMessageA(run().window, WM_RUN_TASK, reinterpret_cast<WPARAM>(task), reinterpret_cast<LPARAM>(context));
}

void finishWorker(WorkerOutcome outcome)
{
    PostMessageA(run().window, WM_WORKER_FINISHED, static_cast<WPARAM>(outcome), 0);
}

}  // namespace tessaly
