// libFuzzer target for the bitmap header checks: a file judged complete
// holds the rows its header promises (counted again here in 128-bit
// arithmetic, which cannot wrap), a true-colour file is read into rows of
// the size it promises without reading past the file, and a packed DIB that
// is accepted holds all its rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "formats/bitmap_format.h"

namespace {

uint64_t field(std::string_view bytes, size_t offset, int count)
{
    uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[offset + i]);
    return value;
}

// Rows promised by an uncompressed file with a 40-byte or longer header and
// a depth the program accepts, in arithmetic that cannot wrap.
void checkCompleteness(std::string_view bytes, bool complete)
{
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || field(bytes, 14, 4) < 40) return;
    const uint64_t compression = field(bytes, 30, 4);
    if (compression != 0 && compression != 3) return;
    const auto width = static_cast<int32_t>(field(bytes, 18, 4));
    const auto height = static_cast<int32_t>(field(bytes, 22, 4));
    const uint64_t depth = field(bytes, 28, 2);
    const bool supported = depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
    if (width <= 0 || height == 0 || !supported) {
        if (complete) std::abort();
        return;
    }
    const unsigned __int128 rows = height < 0 ? -static_cast<__int128>(height) : height;
    const unsigned __int128 rowBytes = (static_cast<unsigned __int128>(width) * depth + 31) / 32 * 4;
    const unsigned __int128 end = field(bytes, 10, 4) + rowBytes * rows;
    if (complete != (end <= bytes.size())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkCompleteness(bytes, tessaly::bitmapFileComplete(bytes));
    const tessaly::BitmapFileLayout layout = tessaly::inspectBitmapFile(bytes);
    if (layout.kind == tessaly::BitmapFileKind::TrueColor) {
        const uint64_t rowBytes = tessaly::bitmapPixelBytes(layout.width, layout.height);
        if (rowBytes == 0) std::abort();
        if (rowBytes <= (uint64_t{1} << 24)) {
            std::vector<uint8_t> rows(rowBytes);
            tessaly::readTrueColorRows(bytes, layout, rows.data());
        }
    }
    if (const auto dib = tessaly::readPackedDib(bytes)) {
        const uint64_t rows = tessaly::bitmapPixelBytes(dib->width, dib->height);
        if (dib->width == 0 || dib->height == 0 || rows == 0) std::abort();
        if (dib->rowsOffset + rows > size) std::abort();
    }
    return 0;
}
