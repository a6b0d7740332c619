#include "controls/progress_bar_reporter.h"

#include <commctrl.h>

#include <algorithm>
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
    total_ = total;
    reported_ = 0;
    lastShown_ = GetTickCount64();
    SendMessageA(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(total >> shift_));
}

bool ProgressBarReporter::advance(uint64_t delta)
{
    // A partial last block is reported as a whole one: the bar stops at its end.
    reported_ = std::min(reported_ + delta, total_);
    const ULONGLONG now = GetTickCount64();
    if (reported_ == total_ || now - lastShown_ >= kMinInterval) {
        SendMessageA(bar_, PBM_SETPOS, static_cast<WPARAM>(reported_ >> shift_), 0);
        lastShown_ = now;
    }
    return !(cancelled_ && cancelled_->load());
}

void showMarquee(HWND bar, bool moving)
{
    const LONG_PTR style = GetWindowLongPtrA(bar, GWL_STYLE);
    SetWindowLongPtrA(bar, GWL_STYLE, moving ? style | PBS_MARQUEE : style & ~static_cast<LONG_PTR>(PBS_MARQUEE));
    SendMessageA(bar, PBM_SETMARQUEE, moving ? TRUE : FALSE, 0);
}

}  // namespace tessaly
