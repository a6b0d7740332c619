// libFuzzer target for the bitmap header checks: a file judged complete
// holds the rows its header promises, and a packed DIB that is accepted
// holds all its rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/bitmap_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tessaly::bitmapFileComplete(bytes);
    if (const auto dib = tessaly::readPackedDib(bytes)) {
        const uint64_t rows = tessaly::bitmapPixelBytes(dib->width, dib->height);
        if (dib->width == 0 || dib->height == 0 || rows == 0) std::abort();
        if (dib->rowsOffset + rows > size) std::abort();
    }
    return 0;
}
