#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/win32_handles.h"

namespace tessaly {

// The guarded form of a picture, for a self-extracting file that resists
// guessing: the picture's pixel stream sealed with AES-256-GCM under a key
// derived from the password, put back as the pixels of a picture of the same
// size, and the header (resource 120) that holds what opening it takes.

enum class GuardResult { Done, WrongPassword, Damaged, OutOfMemory, Unavailable };

struct GuardedPicture {
    BitmapHandle sealed;  // a picture of createImage
    std::string header;
};

// Seals `plain` (a picture of createImage) under the password as typed.
GuardResult guardPicture(HBITMAP plain, std::string_view password, GuardedPicture& guarded);

// Opens the sealed rows of a picture of `width` × `height` into `readable`
// (the rows of another picture of that size). Damaged when the header is
// not one this program reads or names another size; WrongPassword when the
// tag does not match. `readable` is written only when it opened.
GuardResult openGuardedPicture(std::string_view header, const uint8_t* sealedRows, uint32_t width, uint32_t height,
                               std::string_view password, uint8_t* readable);

}  // namespace tessaly
