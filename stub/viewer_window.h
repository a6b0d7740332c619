#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/win32_handles.h"

namespace tessaly {

// What the viewer shows: the deciphered picture through the spotlight, over
// the enciphered one. The cover is bitmap 105's own rows, which the
// program's image holds for its whole run.
struct ViewerPictures {
    BitmapHandle readable;
    const uint8_t* coverRows = nullptr;
};

// Dialog 102, modeless over `owner`, hidden, sized to the picture. It only
// looks at `pictures`, which outlive it, and until it is shown at nothing
// but the picture's size. Its messages run on the calling thread; closing it
// posts WM_QUIT with the program's exit code.
HWND createViewerWindow(HWND owner, const ViewerPictures& pictures);

}  // namespace tessaly
