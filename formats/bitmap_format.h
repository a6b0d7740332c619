#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
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

// A packed device-independent bitmap as the program stores pictures in
// resources: the 40-byte information header of bitmapFileHeader followed
// directly by the rows, that is the bitmap file without its 14-byte file
// header.
constexpr size_t kPackedDibHeaderSize = 40;

struct PackedDib {
    uint32_t width = 0;
    uint32_t height = 0;
    size_t rowsOffset = 0;  // where the bottom row starts
};

// The picture in a packed DIB of 24 bits per pixel, uncompressed and
// bottom-up; nothing when it is another kind, or when `bytes` holds fewer
// rows than its header promises.
std::optional<PackedDib> readPackedDib(std::string_view bytes);

// Whether a bitmap file of any depth holds all the pixel bytes its headers
// promise; compressed files are left to the loader.
bool bitmapFileComplete(std::string_view file);

}  // namespace tessaly
