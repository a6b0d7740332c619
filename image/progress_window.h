#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "platform/progress.h"
#include "settings/language.h"

namespace tessaly {

enum class WorkerOutcome { Finished, Cancelled, OutOfMemory };

// What a worker thread gets from the progress window that runs it: the status
// line, the progress bar, the Cancel flag, and a way to hand a result to the
// window's thread, which owns the pictures and the pages.
class WorkerReport {
public:
    virtual void setStatusText(const std::string& text) = 0;
    // Shows the language text of `key` on the status line.
    void setStatus(const char* key) { setStatusText(translate(key)); }
    // The progress bar, as a cipher run reports to it; it stops the run after
    // a Cancel.
    virtual Progress& progress() = 0;
    virtual const std::atomic<bool>& cancelFlag() const = 0;
    bool cancelled() const { return cancelFlag().load(); }
    // Runs `task` on the window's thread and waits until it has run.
    virtual void onWindowThread(const std::function<void()>& task) = 0;
    // For work that tells no progress (a key derivation): the bar moves
    // without measuring while `busy`.
    virtual void showBusy(bool busy) = 0;

protected:
    ~WorkerReport() = default;
};

using Worker = std::function<WorkerOutcome(WorkerReport& report)>;

// How a run behind the progress window ended: the worker ran (it finished,
// or ran out of memory and the user was told), or Cancel stopped it.
enum class WorkerEnd : INT_PTR { Ran = 0, Cancelled = 1 };

// Runs the progress window (dialog 111) modally over `owner`. The worker
// thread starts from the window's initialisation, so it never reports to a
// window that does not exist yet; the window closes when the worker returns.
[[nodiscard]] WorkerEnd runWithProgressWindow(HWND owner, Worker worker);

// How a dialog that starts a worker ends: once the worker has run, however
// it ended, or closed by the user before it started one.
enum class WorkerDialogEnd : INT_PTR { WorkerRan = 0, Closed = 1 };

}  // namespace tessaly
