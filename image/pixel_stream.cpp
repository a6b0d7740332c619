#include "image/pixel_stream.h"

#include <cstring>

#include "shell/bitmap_format.h"

namespace tessaly {

namespace {

// Blue-green-red to red-green-blue and back: the same swap either way.
void reverseChannels(const uint8_t* in, uint8_t* out, uint32_t pixels)
{
    for (uint32_t x = 0; x < pixels; ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

}  // namespace

size_t pixelStreamBytes(uint32_t width, uint32_t height)
{
    return 3 * static_cast<size_t>(width) * height;
}

void pixelStreamFromRows(const uint8_t* rows, uint32_t width, uint32_t height, uint8_t* stream)
{
    const size_t rowBytes = bitmapRowBytes(width);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* in = rows + (height - 1 - y) * rowBytes;
        uint8_t* out = stream + 3 * static_cast<size_t>(width) * y;
        reverseChannels(in, out, width);
    }
}

void rowsFromPixelStream(const uint8_t* stream, uint32_t width, uint32_t height, uint8_t* rows)
{
    const size_t rowBytes = bitmapRowBytes(width);
    const size_t padding = bitmapRowPadding(width);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* in = stream + 3 * static_cast<size_t>(width) * y;
        uint8_t* out = rows + (height - 1 - y) * rowBytes;
        reverseChannels(in, out, width);
        std::memset(out + 3 * static_cast<size_t>(width), 0, padding);
    }
}

}  // namespace tessaly
