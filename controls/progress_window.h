#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "cipher/cipher_progress.h"
#include "platform/modal_dialog.h"
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
    virtual CipherProgress& progress() = 0;
    virtual const std::atomic<bool>& cancelFlag() const = 0;
    bool cancelled() const { return cancelFlag().load(); }
    // Runs `task` on the window's thread and waits until it has run.
    virtual void onWindowThread(const std::function<void()>& task) = 0;

protected:
    ~WorkerReport() = default;
};

using Worker = std::function<WorkerOutcome(WorkerReport& report)>;

// What a dialog that starts a worker ends with once the worker has run,
// however the worker ended.
constexpr INT_PTR kWorkerRan = 0;

// Runs the progress window (dialog 111) modally over `owner`. The worker
// thread starts from the window's initialisation, so it never reports to a
// window that does not exist yet; the window closes when the worker returns.
// Returns kWorkerRan when the worker finished or ran out of memory (the user
// is told), kDialogClosed when Cancel stopped it. While the window exists,
// `*shownIn` (if given) holds it.
INT_PTR runWithProgressWindow(HWND owner, Worker worker, HWND* shownIn = nullptr);

}  // namespace tessaly
