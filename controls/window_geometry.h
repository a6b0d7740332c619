#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// A rectangle: a control's place in its window's client area, or a
// window's on the screen.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// How a control follows its window's size as the window grows (or shrinks)
// from the size it was made at.
enum class Anchor {
    Fixed,        // stays where it is
    Grow,         // grows with the window both ways
    Right,        // moves with the right edge
    BottomLeft,   // moves with the bottom edge
    BottomRight,  // moves with the bottom right corner
    Centre,       // keeps its place relative to the middle
    AlongBottom,  // grows in width and moves with the bottom edge (a horizontal bar)
    AlongRight,   // grows in height and moves with the right edge (a vertical bar)
};

// Where `original` goes when the window's client area is `grownWidth` wider
// and `grownHeight` taller (either may be negative) than when it was made.
Box anchoredBox(const Box& original, Anchor anchor, int grownWidth, int grownHeight);

// A window's kept place on the screen: its normal (restored) box, and
// whether it was maximised.
struct WindowPlace {
    Box normal;
    bool maximised = false;
};

// A stored place, "left,top,right,bottom" and ",max" when maximised.
// Nothing when the text is anything else, or the box is narrower or lower
// than `smallestWidth` × `smallestHeight` or larger than any screen.
std::optional<WindowPlace> parseWindowPlace(std::string_view stored, int smallestWidth, int smallestHeight);
std::string formatWindowPlace(const WindowPlace& place);

}  // namespace tessaly
