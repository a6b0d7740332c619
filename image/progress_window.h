#pragma once

#include <windows.h>

#include <atomic>

namespace tessaly {

constexpr INT_PTR kProgressCancelled = 153;

using WorkerEntry = DWORD(WINAPI*)(void* job);

// Runs the progress window (dialog 111) modally over `owner`. The worker
// thread starts from the window's initialisation, so it never reports to a
// window that does not exist yet. Returns once the worker has ended: 0 when
// it finished, kProgressCancelled when Cancel stopped it.
INT_PTR runWithProgressWindow(HWND owner, WorkerEntry worker, void* job);

// For the worker, while the window runs.
enum class WorkerOutcome { Finished, Cancelled, OutOfMemory };
bool progressCancelled();
const std::atomic<bool>* progressCancelFlag();
HWND progressBar();
void setProgressStatus(const char* key);
// Runs `task` on the window's thread, which owns the pages and the pictures.
void runOnWindowThread(void (*task)(void* context), void* context);
// The worker's last call: the window closes.
void finishWorker(WorkerOutcome outcome);

}  // namespace tessaly
