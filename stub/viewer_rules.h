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

// A radius held to the diagonal of a picture of `width` by `height` (a
// larger disc shows nothing more), so the disc's arithmetic cannot overflow
// whatever string 4 says.
int radiusWithin(int radius, int width, int height);

struct ViewerRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The viewer's client area at start: at most 600 x 400, and as large as the
// picture with the bars it needs there, so that a picture narrower than 600
// (or lower than 400) is seen whole beside the other bar.
ViewerRect viewerClientArea(int imageWidth, int imageHeight, int barHeight, int barWidth);

// Where the viewer's parts go in a client area of `clientWidth` by
// `clientHeight`: a scroll bar only in a direction where the picture is
// larger than what the picture control has there once the other bar, if
// shown, has taken its room; along the bottom or the right edge, leaving the
// corner free when both are shown; the picture control takes the rest.
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
