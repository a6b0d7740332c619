#pragma once

#include <windows.h>

#include <memory>

#include "formats/bitmap_format.h"
#include "formats/guarded_picture.h"
#include "resources/peekstub_ids.h"
#include "stub/viewer_window.h"

namespace tessaly {

// Everything the viewer needs that does not depend on the password, made
// while it is typed: under Wine, making the viewer, first touching the
// readable picture's memory, taking a guarded file's stream from its rows
// and loading the system's cryptography each take about as long as
// deciphering a large picture, so OK leaves only the deciphering to wait
// for. The pictures belong here, not to the viewer, so they outlive it
// however it goes. Made, used and let go on the decryption thread.
struct ViewerSetup {
    ViewerSetup() = default;
    ViewerSetup(const ViewerSetup&) = delete;
    ViewerSetup& operator=(const ViewerSetup&) = delete;
    ~ViewerSetup() { dropViewer(); }

    // The viewer's window goes first, then its object.
    void dropViewer();

    PackedDib dib;
    ViewerPictures pictures;
    uint8_t* readableRows = nullptr;
    // A guarded file's sealed stream, ready for its password.
    bool guarded = false;
    GuardedStream sealed;
    // Hidden until the picture is deciphered; empty when it could not be made.
    std::unique_ptr<ViewerWindow> viewer;
    // The message pair that is shown instead when there is no viewer.
    int spanishError = IDS_NO_PICTURE_SPANISH;
    int englishError = IDS_NO_PICTURE_ENGLISH;
};

// Reads bitmap 105 (and a guarded file's header) from the program's own
// resources and makes the viewer over `passwordWindow`, hidden.
void prepareViewer(HWND passwordWindow, ViewerSetup& setup);

}  // namespace tessaly
