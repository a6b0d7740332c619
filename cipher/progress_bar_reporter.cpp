#include "cipher/progress_bar_reporter.h"

#include <commctrl.h>

#include <climits>

namespace tessaly {

ProgressBarReporter::ProgressBarReporter(HWND bar, const std::atomic<bool>* cancelled)
    : bar_(bar), cancelled_(cancelled)
{
}

void ProgressBarReporter::start(uint64_t total)
{
    shift_ = 0;
    while ((total >> shift_) > static_cast<uint64_t>(INT_MAX)) ++shift_;
    reported_ = shown_ = 0;
    SendMessageA(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(total >> shift_));
}

bool ProgressBarReporter::advance(uint64_t delta)
{
    reported_ += delta;
    const uint64_t target = reported_ >> shift_;
    SendMessageA(bar_, PBM_DELTAPOS, static_cast<WPARAM>(target - shown_), 0);
    shown_ = target;
    return !(cancelled_ && cancelled_->load());
}

}  // namespace tessaly
