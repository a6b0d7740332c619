#pragma once

#include <string_view>

namespace tessaly {

// How the spotlight starts: string 4 read like the C library's atoi, a
// negative number meaning the spotlight is off with that radius.
struct SpotlightStart {
    int radius = 0;
    bool off = false;
};
SpotlightStart spotlightFromString(std::string_view text);

// Keypad + and -: five pixels more, or five less but never under 5.
int grownRadius(int radius);
int shrunkRadius(int radius);

struct ViewerRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The viewer's client area at start: the picture's size, at most 600 x 400.
ViewerRect viewerClientArea(int imageWidth, int imageHeight);

// Where the viewer's parts go in a client area of `clientWidth` by
// `clientHeight`: a scroll bar only in a direction where the picture is
// larger than the client area, along the bottom or the right edge, leaving
// the corner free when both are shown; the picture control takes the rest.
struct ViewerLayout {
    bool horizontalShown = false;
    bool verticalShown = false;
    ViewerRect horizontal;
    ViewerRect vertical;
    ViewerRect picture;
};
ViewerLayout viewerLayout(int imageWidth, int imageHeight, int clientWidth, int clientHeight, int barHeight,
                          int barWidth);

}  // namespace tessaly
