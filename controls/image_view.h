#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/redraw.h"
#include "platform/win32_handles.h"

namespace tessaly {

// Image views: an owner-drawn picture control with two scroll bars showing a
// picture from an offset, and, on spotlight hosts, readable only inside a
// disc around the mouse pointer.

// The ids of a view's scroll bars on its host window.
struct ImageViewBars {
    int horizontal = 0;
    int vertical = 0;
};

// The spotlight's radius in pixels until the user changes it, and the
// smallest the picture page's slider offers.
constexpr int kDefaultSpotlightRadius = 20;

struct ImageViewState {
    int offsetX = 0;
    int offsetY = 0;
    int spotlightRadius = kDefaultSpotlightRadius;
    bool spotlightOff = false;
};

// A new picture (or none): offsets back to 0, bars sized for it.
void relayoutImageView(HWND host, HWND picture, HBITMAP image, ImageViewBars bars, ImageViewState& view);

// WM_HSCROLL or WM_VSCROLL from one of the view's bars.
void scrollImageView(HWND host, HWND picture, HWND bar, WPARAM wParam, ImageViewBars bars, ImageViewState& view);

// White, then the picture from the view's offsets.
void drawImageView(const DRAWITEMSTRUCT& item, HBITMAP image, const ImageViewState& view, HBRUSH white);

// What the spotlight hides the readable picture behind: a cover picture, or
// the rows of one as a bitmap file holds them (24 bits, bottom-up, padded;
// the readable picture's size), drawn straight from where they are; where
// there is neither, a fill over the part of the area the picture covers.
struct SpotlightCover {
    HBITMAP image = nullptr;
    COLORREF fill = RGB(255, 255, 255);
    const uint8_t* rows = nullptr;
};

// A device bitmap of one size in a memory device context, kept from one
// repaint to the next: making a new one for every repaint costs far more
// than drawing into it, as each has new memory that the system first clears.
class CanvasLayer {
public:
    // The context, its bitmap `width` × `height` and compatible with
    // `screen`, made again only when the size changes; nullptr when it
    // cannot be made.
    HDC prepare(HDC screen, int width, int height);

private:
    // The context goes first, then the bitmap it held.
    BitmapHandle bitmap_;
    MemoryDc dc_;
    int width_ = 0;
    int height_ = 0;
};

// What a spotlight view keeps between repaints: the canvas it draws on, and
// the cover as shown at the view's offsets when it comes from rows, which
// the system would otherwise convert again at every movement of the mouse.
struct SpotlightCanvas {
    // What the cover layer shows: which rows, from which offsets, how large.
    struct CoverShown {
        const uint8_t* rows = nullptr;
        int offsetX = 0;
        int offsetY = 0;
        int width = 0;
        int height = 0;
        bool operator==(const CoverShown& other) const
        {
            return rows == other.rows && offsetX == other.offsetX && offsetY == other.offsetY && width == other.width &&
                   height == other.height;
        }
    };

    CanvasLayer canvas;
    CanvasLayer cover;
    CoverShown coverShown;
};

// One repaint through `kept`'s canvas: white; the readable picture whole
// with the spotlight off, else the cover with the readable picture inside
// the disc of `radius` around `mouse` (client coordinates of the picture
// control), clipped to the area.
void drawSpotlightView(const DRAWITEMSTRUCT& item, HBITMAP readable, const SpotlightCover& cover, POINT mouse,
                       const ImageViewState& view, HBRUSH white, SpotlightCanvas& kept);

// The mouse position in the picture control's client coordinates.
POINT mouseIn(HWND picture);

}  // namespace tessaly
