#include "controls/scroll_arithmetic.h"

#include <algorithm>

namespace tessaly {

namespace {

enum ScrollRequest { kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbTrack = 5 };

}  // namespace

int scrolledPosition(const ScrollBarState& bar, int request, int thumb)
{
    const int p = bar.position;
    const int last = bar.max - bar.page;
    switch (request) {
    case kLineUp:
        return p - 1 >= 0 ? p - 1 : p;
    case kLineDown:
        return p + 1 < last ? p + 1 : p;
    case kPageUp:
        return p - 1 >= 0 ? p - std::min(bar.page, p) : p;
    case kPageDown:
        // A picture no taller than the area would give a negative offset.
        return p + bar.page < last ? p + bar.page : std::max(last, 0);
    case kThumbTrack:
        return thumb & 0xFFFF;
    default:
        return p;
    }
}

ScrollBarLayout scrollBarLayout(int imageSize, int areaSize)
{
    // No picture still gives a valid range, 0 to 0.
    return {std::max(imageSize - 1, 0), areaSize, imageSize < areaSize};
}

}  // namespace tessaly
