#include "shell/bitmap_format.h"

namespace tessaly {

namespace {

void putLittleEndian(uint8_t* out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

size_t bitmapRowPadding(uint32_t width)
{
    return (4 - (3 * static_cast<size_t>(width)) % 4) % 4;
}

size_t bitmapRowBytes(uint32_t width)
{
    return 3 * static_cast<size_t>(width) + bitmapRowPadding(width);
}

uint64_t bitmapPixelBytes(uint32_t width, uint32_t height)
{
    const uint64_t bytes = static_cast<uint64_t>(bitmapRowBytes(width)) * height;
    return bytes + kBitmapHeaderSize <= UINT32_MAX ? bytes : 0;
}

std::array<uint8_t, kBitmapHeaderSize> bitmapFileHeader(uint32_t width, uint32_t height)
{
    const auto imageSize = static_cast<uint32_t>(bitmapPixelBytes(width, height));
    std::array<uint8_t, kBitmapHeaderSize> header{};
    header[0] = 'B';
    header[1] = 'M';
    putLittleEndian(&header[2], static_cast<uint32_t>(kBitmapHeaderSize) + imageSize, 4);
    putLittleEndian(&header[10], static_cast<uint32_t>(kBitmapHeaderSize), 4);
    putLittleEndian(&header[14], 40, 4);
    putLittleEndian(&header[18], width, 4);
    putLittleEndian(&header[22], height, 4);
    putLittleEndian(&header[26], 1, 2);
    putLittleEndian(&header[28], 24, 2);
    putLittleEndian(&header[34], imageSize, 4);
    return header;
}

}  // namespace tessaly
