#include "stub/viewer_loop.h"

#include "resources/peekstub_ids.h"

namespace tessaly {

void runViewerLoop(HWND passwordWindow, HWND viewer)
{
    // The viewer is on screen before the prompt goes, so the desktop never
    // shows between them.
    ShowWindow(viewer, SW_SHOW);
    ShowWindow(passwordWindow, SW_HIDE);
    SetForegroundWindow(viewer);
    HACCEL keys = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_SPOTLIGHT_KEYS));
    // The "W" forms, as every loop of the programs: an "A" loop would carry
    // typed characters through a code page.
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsWindow(viewer) && TranslateAcceleratorW(viewer, keys, &message)) continue;
        if (IsWindow(viewer) && IsDialogMessageW(viewer, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace tessaly
