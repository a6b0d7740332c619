#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tessaly {

// The bitmap file the program writes: 24 bits per pixel, uncompressed, rows
// bottom-up, each pixel blue-green-red, each row padded with zeros to a
// multiple of 4 bytes.
constexpr size_t kBitmapHeaderSize = 54;

size_t bitmapRowPadding(uint32_t width);
size_t bitmapRowBytes(uint32_t width);
// Bytes of all the rows; 0 when the size does not fit in the file's 32-bit
// fields.
uint64_t bitmapPixelBytes(uint32_t width, uint32_t height);

// The 14-byte file header and the 40-byte information header.
std::array<uint8_t, kBitmapHeaderSize> bitmapFileHeader(uint32_t width, uint32_t height);

// Whether a bitmap file of any depth holds all the pixel bytes its headers
// promise; compressed files are left to the loader.
bool bitmapFileComplete(std::string_view file);

}  // namespace tessaly
