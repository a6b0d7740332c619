#pragma once

namespace tessaly {

// A scroll bar as the image views read it.
struct ScrollBarState {
    int max = 0;
    int page = 0;
    int position = 0;
};

// The position after a scroll request (SB_LINEUP 0, SB_LINEDOWN 1,
// SB_PAGEUP 2, SB_PAGEDOWN 3, SB_THUMBTRACK 5 with `thumb`); every other
// request leaves it where it is.
int scrolledPosition(const ScrollBarState& bar, int request, int thumb);

// A bar for a picture `imageSize` pixels long seen through `areaSize`
// pixels: range 0 to imageSize − 1, a page of the area, at 0; shown disabled
// when the picture is shorter than the area.
struct ScrollBarLayout {
    int max;
    int page;
    bool disabled;
};
ScrollBarLayout scrollBarLayout(int imageSize, int areaSize);

}  // namespace tessaly
