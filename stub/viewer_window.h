#pragma once

#include <windows.h>

#include "platform/win32_handles.h"

namespace tessaly {

// What the viewer shows: the deciphered picture through the spotlight, over
// the enciphered one. The viewer takes both.
struct ViewerPictures {
    BitmapHandle readable;
    BitmapHandle cover;
};

// Dialog 102, modeless over `owner`, sized to the picture. Its messages run
// on the calling thread; closing it posts WM_QUIT with the program's exit
// code.
HWND createViewerWindow(HWND owner, ViewerPictures pictures);

}  // namespace tessaly
