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

// Whether a bitmap file holds all the pixel bytes its headers promise: false
// for a file cut short, and for depths other than 1, 4, 8, 16, 24 and 32 bits
// per pixel. A compressed file's size says nothing about its pixels: it
// counts as complete.
bool bitmapFileComplete(std::string_view file);

// The most pixels a picture loaded from a file may have: a 24-bit picture of
// 768 MB, more than any list picture the program draws for 10,000 entries.
constexpr uint64_t kMaxLoadedPixels = uint64_t{1} << 28;

enum class BitmapFileKind {
    // Uncompressed, 24 or 32 bits per pixel: readTrueColorRows reads it.
    TrueColor,
    // Another depth, or compressed: only the platform's loader reads it.
    OtherDepth,
    // Not a bitmap file, cut short, or pixels that cannot be read exactly
    // (32-bit colour masks that are not whole bytes, embedded JPEG or PNG).
    Unreadable,
    // More than kMaxLoadedPixels pixels.
    TooLarge,
};

struct BitmapFileLayout {
    BitmapFileKind kind = BitmapFileKind::Unreadable;
    uint32_t width = 0;
    uint32_t height = 0;
    // For TrueColor files.
    bool topDown = false;
    uint32_t bytesPerPixel = 0;
    size_t pixelsOffset = 0;
    // Which byte of a pixel holds each colour.
    uint8_t redByte = 2;
    uint8_t greenByte = 1;
    uint8_t blueByte = 0;
};

// What a bitmap file holds and how its pixels can be read; checked against
// the file's size before anything is allocated.
BitmapFileLayout inspectBitmapFile(std::string_view file);

// A TrueColor file's pixels as the rows of bitmapFileHeader: 24 bits, bottom
// up, padded with zeros. `rows` holds bitmapPixelBytes(width, height) bytes.
void readTrueColorRows(std::string_view file, const BitmapFileLayout& layout, uint8_t* rows);

}  // namespace tessaly
