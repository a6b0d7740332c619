#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/win32_handles.h"

namespace tessaly {

// What the viewer shows: the deciphered picture through the spotlight, over
// the enciphered one. The viewer takes the readable picture; the cover is
// bitmap 105's own rows, which the program's image holds for its whole run.
struct ViewerPictures {
    BitmapHandle readable;
    const uint8_t* coverRows = nullptr;
};

// Dialog 102, modeless over `owner`, hidden, sized to the picture, which it
// takes from `pictures` (left as they were when no window could be made).
// Until it is shown it looks at nothing but the picture's size. Its messages
// run on the calling thread; closing it posts WM_QUIT with the program's
// exit code.
HWND createViewerWindow(HWND owner, ViewerPictures& pictures);

}  // namespace tessaly
