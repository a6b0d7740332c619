#include "formats/bitmap_format.h"

namespace tessaly {

namespace {

void putLittleEndian(uint8_t* out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t getLittleEndian(std::string_view bytes, size_t offset, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[offset + i]);
    return value;
}

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kBitFields = 3;

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
    putLittleEndian(&header[kFileHeaderSize], kInfoHeaderSize, 4);
    putLittleEndian(&header[18], width, 4);
    putLittleEndian(&header[22], height, 4);
    putLittleEndian(&header[26], 1, 2);
    putLittleEndian(&header[28], 24, 2);
    putLittleEndian(&header[34], imageSize, 4);
    return header;
}

bool bitmapFileComplete(std::string_view file)
{
    if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') return false;
    // The older 12-byte header form is short; its pixels are left to the loader.
    const uint32_t infoSize = getLittleEndian(file, kFileHeaderSize, 4);
    if (infoSize < kInfoHeaderSize) return file.size() >= kFileHeaderSize + infoSize;
    if (file.size() < kBitmapHeaderSize) return false;
    const uint32_t compression = getLittleEndian(file, 30, 4);
    if (compression != kUncompressed && compression != kBitFields) return true;
    const uint64_t offset = getLittleEndian(file, 10, 4);
    const auto width = static_cast<int32_t>(getLittleEndian(file, 18, 4));
    const auto height = static_cast<int32_t>(getLittleEndian(file, 22, 4));
    const uint32_t bitsPerPixel = getLittleEndian(file, 28, 2);
    if (width <= 0 || height == 0 || bitsPerPixel == 0) return false;
    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    const uint64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
    return offset + rowBytes * rows <= file.size();
}

std::optional<PackedDib> readPackedDib(std::string_view bytes)
{
    if (bytes.size() < kInfoHeaderSize || getLittleEndian(bytes, 0, 4) != kInfoHeaderSize) return std::nullopt;
    const auto width = static_cast<int32_t>(getLittleEndian(bytes, 4, 4));
    const auto height = static_cast<int32_t>(getLittleEndian(bytes, 8, 4));
    const uint32_t planes = getLittleEndian(bytes, 12, 2);
    const uint32_t bitsPerPixel = getLittleEndian(bytes, 14, 2);
    const uint32_t compression = getLittleEndian(bytes, 16, 4);
    const uint32_t paletteColors = getLittleEndian(bytes, 32, 4);
    if (width <= 0 || height <= 0 || planes != 1 || bitsPerPixel != 24 || compression != kUncompressed ||
        paletteColors != 0) {
        return std::nullopt;
    }
    PackedDib dib{static_cast<uint32_t>(width), static_cast<uint32_t>(height), kInfoHeaderSize};
    const uint64_t rows = bitmapPixelBytes(dib.width, dib.height);
    if (rows == 0 || bytes.size() - kInfoHeaderSize < rows) return std::nullopt;
    return dib;
}

}  // namespace tessaly
