#pragma once

#include <windows.h>

#include <atomic>

#include "platform/progress.h"

namespace tessaly {

// Shows a cipher run on a progress bar control (PBM_SETRANGE32, then
// PBM_SETPOS) and stops it once `cancelled` is set. The bar may belong to
// another thread: the messages are sent, so they are handled there. Each
// position sent repaints the bar and the run waits for it, so positions go
// out at most every kMinInterval milliseconds, and the last one always.
class ProgressBarReporter : public Progress {
public:
    static constexpr ULONGLONG kMinInterval = 40;

    ProgressBarReporter(HWND bar, const std::atomic<bool>* cancelled = nullptr);

    void start(uint64_t total) override;
    bool advance(uint64_t delta) override;

private:
    HWND bar_;
    const std::atomic<bool>* cancelled_;
    // A bar counts in int: runs longer than that are shown scaled down.
    unsigned shift_ = 0;
    uint64_t total_ = 0;
    uint64_t reported_ = 0;
    ULONGLONG lastShown_ = 0;
};

// For work that tells no progress (a key derivation): the bar moves without
// measuring while `moving`, and measures again after.
void showMarquee(HWND bar, bool moving);

}  // namespace tessaly
