#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tessaly {

// The program's pictures are 24-bit bottom-up DIB sections: their bits are
// laid out exactly as the rows of the bitmap file, so pixels move in bulk and
// every channel value is kept, whatever the screen's colour depth.
struct ImageRows {
    uint8_t* rows = nullptr;
    uint32_t width = 0;
    uint32_t height = 0;
};

// A new picture with its rows set to zero; nullptr when it cannot be had
// (no memory, or a size the file format cannot hold).
HBITMAP createImage(uint32_t width, uint32_t height, ImageRows* rows = nullptr);
// The rows of a picture made by createImage; false for any other bitmap.
bool imageRows(HBITMAP image, ImageRows& rows);
uint32_t imageWidth(HBITMAP image);
uint32_t imageHeight(HBITMAP image);

// Writes the 24-bit bitmap file through a temporary file that replaces
// `path` only when complete. False when nothing or not all could be written.
[[nodiscard]] bool writeBitmapFile(HBITMAP image, const std::string& path);

enum class BitmapLoadStatus { Loaded, NotAnImage, TooLarge };

// A bitmap file as a picture of createImage, every pixel exact: uncompressed
// 24- and 32-bit files (bottom-up or top-down, with or without colour masks)
// are read here, other depths and compressed files by the platform's loader.
// nullptr when it cannot be loaded; `status` (if given) tells why: not a
// bitmap file that can be read exactly, or more pixels than kMaxLoadedPixels
// or than memory holds.
HBITMAP loadBitmapFile(const std::string& path, BitmapLoadStatus* status = nullptr);

}  // namespace tessaly
