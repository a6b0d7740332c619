#include "stub/viewer_setup.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "cipher/system_crypto.h"
#include "formats/bitmap_file.h"
#include "platform/own_resource.h"

namespace tessaly {

namespace {

void tellInstead(ViewerSetup& setup, int spanishError, int englishError)
{
    setup.spanishError = spanishError;
    setup.englishError = englishError;
}

}  // namespace

void ViewerSetup::dropViewer()
{
    if (viewer && viewer->window()) DestroyWindow(viewer->window());
    viewer.reset();
}

// The cover is the enciphered picture's rows where the resource holds them.
void prepareViewer(HWND passwordWindow, ViewerSetup& setup)
{
    const std::string_view resource = ownResource(RT_BITMAP, MAKEINTRESOURCEA(IDB_ENCRYPTED_IMAGE));
    const std::optional<PackedDib> dib = readPackedDib(resource);
    if (!dib) return;
    setup.dib = *dib;
    ImageRows readable;
    setup.pictures.readable.reset(createImage(dib->width, dib->height, &readable));
    if (!setup.pictures.readable) return tellInstead(setup, IDS_TOO_LARGE_SPANISH, IDS_TOO_LARGE_ENGLISH);
    // Its pages are had now rather than one by one while deciphering.
    std::memset(readable.rows, 0, bitmapPixelBytes(dib->width, dib->height));
    setup.readableRows = readable.rows;
    setup.pictures.coverRows = reinterpret_cast<const uint8_t*>(resource.data() + dib->rowsOffset);
    const std::string_view guardedHeader = ownResource(RT_RCDATA, MAKEINTRESOURCEA(IDR_GUARDED_HEADER));
    setup.guarded = !guardedHeader.empty();
    if (setup.guarded) {
        const GuardResult read = setup.sealed.read(guardedHeader, setup.pictures.coverRows, dib->width, dib->height);
        if (read == GuardResult::OutOfMemory) return tellInstead(setup, IDS_TOO_LARGE_SPANISH, IDS_TOO_LARGE_ENGLISH);
        if (read != GuardResult::Done) return;
        // The key is derived right after OK: the system's cryptography,
        // slow to load the first time, is loaded now, and where there is
        // none, that is told before a password is asked for nothing.
        if (!loadSystemCrypto()) return tellInstead(setup, IDS_NO_CRYPTO_SPANISH, IDS_NO_CRYPTO_ENGLISH);
    }
    auto viewer = std::make_unique<ViewerWindow>(setup.pictures);
    if (viewer->create(passwordWindow)) {
        setup.viewer = std::move(viewer);
    } else {
        tellInstead(setup, IDS_NO_VIEWER_SPANISH, IDS_NO_VIEWER_ENGLISH);
    }
}

}  // namespace tessaly
