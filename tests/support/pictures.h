#pragma once

#include <windows.h>

#include <vector>

#include "image/pixel_stream.h"
#include "shell/bitmap_file.h"

namespace tessaly::testing {

// A picture's pixel stream; empty for a bitmap not made by createImage.
inline std::vector<uint8_t> streamOf(HBITMAP image)
{
    ImageRows rows;
    if (!imageRows(image, rows)) return {};
    std::vector<uint8_t> stream(pixelStreamBytes(rows.width, rows.height));
    pixelStreamFromRows(rows.rows, rows.width, rows.height, stream.data());
    return stream;
}

}  // namespace tessaly::testing
