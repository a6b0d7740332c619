#pragma once

#include <windows.h>

#include <vector>

#include "platform/win32_handles.h"
#include "controls/image_view.h"

namespace tessaly {

// The controls of a page that shows its picture through the spotlight: the
// Spotlight box and the radius slider.
struct SpotlightControls {
    int box = 0;
    int slider = 0;
};

// How a picture page is made: one owner-drawn picture control with its two
// scroll bars, showing the picture of one slot. A spotlight page shows it
// through the spotlight, over the cover slot's picture; any other page shows
// it plainly. The slots belong to the page's creator and outlive the page.
struct PicturePageSetup {
    int templateId = 0;  // also the page's caption table
    int pictureId = 0;
    ImageViewBars bars;
    const BitmapHandle* shown = nullptr;
    const BitmapHandle* cover = nullptr;
    bool spotlight = false;
    SpotlightControls spotlightControls;
    // The controls under the picture, which keep to the page's bottom edge
    // as the page resizes (the spotlight controls are among them).
    std::vector<int> controlsBelow;
    HBRUSH white = nullptr;
};

// A modeless page over `parent`.
HWND createPicturePage(HWND parent, const PicturePageSetup& setup);

// Shows what the page's slot now holds, a picture or none: its picture
// control, a view reset to the top-left corner, drawn at once.
void showPictureInPage(HWND page);

}  // namespace tessaly
