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

namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;

bool supportedDepth(uint32_t bitsPerPixel)
{
    for (uint32_t depth : {1u, 4u, 8u, 16u, 24u, 32u}) {
        if (bitsPerPixel == depth) return true;
    }
    return false;
}

// The headers of a bitmap file, whatever their form, as far as they are
// there; nothing for a file that is no bitmap file.
struct BitmapHeaders {
    uint32_t infoSize = 0;
    uint64_t width = 0;
    uint64_t height = 0;
    bool topDown = false;
    uint32_t bitsPerPixel = 0;
    uint32_t compression = kUncompressed;
    uint64_t pixelsOffset = 0;
};

std::optional<BitmapHeaders> readHeaders(std::string_view file)
{
    if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') return std::nullopt;
    BitmapHeaders headers;
    headers.infoSize = getLittleEndian(file, kFileHeaderSize, 4);
    headers.pixelsOffset = getLittleEndian(file, 10, 4);
    if (headers.infoSize == kCoreHeaderSize) {
        if (file.size() < kFileHeaderSize + kCoreHeaderSize) return std::nullopt;
        headers.width = getLittleEndian(file, 18, 2);
        headers.height = getLittleEndian(file, 20, 2);
        headers.bitsPerPixel = getLittleEndian(file, 24, 2);
        return headers;
    }
    if (headers.infoSize < kInfoHeaderSize || file.size() < kBitmapHeaderSize) return std::nullopt;
    const auto width = static_cast<int32_t>(getLittleEndian(file, 18, 4));
    const auto height = static_cast<int32_t>(getLittleEndian(file, 22, 4));
    if (width <= 0 || height == 0) return std::nullopt;
    headers.width = static_cast<uint64_t>(width);
    headers.topDown = height < 0;
    headers.height = headers.topDown ? uint64_t{0} - static_cast<uint64_t>(static_cast<int64_t>(height))
                                     : static_cast<uint64_t>(height);
    headers.bitsPerPixel = getLittleEndian(file, 28, 2);
    headers.compression = getLittleEndian(file, 30, 4);
    return headers;
}

bool rowsComplete(std::string_view file, const BitmapHeaders& headers)
{
    if (headers.width == 0 || headers.height == 0 || !supportedDepth(headers.bitsPerPixel)) return false;
    // At most 2^31 * 32 + 31 bits a row and 2^31 rows: no product below wraps.
    const uint64_t rowBytes = (headers.width * headers.bitsPerPixel + 31) / 32 * 4;
    const uint64_t available = file.size() > headers.pixelsOffset ? file.size() - headers.pixelsOffset : 0;
    return rowBytes <= available && headers.height <= available / rowBytes;
}

// The byte of a 32-bit pixel that a colour mask covers whole; -1 for any
// other mask.
int maskByte(uint32_t mask)
{
    for (int byte = 0; byte < 4; ++byte) {
        if (mask == uint32_t{0xFF} << (8 * byte)) return byte;
    }
    return -1;
}

// The colour masks of a 32-bit file with colour masks; all-zero masks mean
// the usual blue-green-red-unused layout, as for an uncompressed file.
bool readMasks(std::string_view file, const BitmapHeaders& headers, BitmapFileLayout& layout)
{
    const size_t at = kFileHeaderSize + kInfoHeaderSize;
    if (file.size() < at + 12) return false;
    const uint32_t red = getLittleEndian(file, at, 4);
    const uint32_t green = getLittleEndian(file, at + 4, 4);
    const uint32_t blue = getLittleEndian(file, at + 8, 4);
    if (red == 0 && green == 0 && blue == 0) return true;
    const int redByte = maskByte(red), greenByte = maskByte(green), blueByte = maskByte(blue);
    if (headers.bitsPerPixel != 32 || redByte < 0 || greenByte < 0 || blueByte < 0) return false;
    layout.redByte = static_cast<uint8_t>(redByte);
    layout.greenByte = static_cast<uint8_t>(greenByte);
    layout.blueByte = static_cast<uint8_t>(blueByte);
    return true;
}

}  // namespace

bool bitmapFileComplete(std::string_view file)
{
    const auto headers = readHeaders(file);
    if (!headers) return false;
    if (headers->compression != kUncompressed && headers->compression != kBitFields) return true;
    return rowsComplete(file, *headers);
}

BitmapFileLayout inspectBitmapFile(std::string_view file)
{
    BitmapFileLayout layout;
    const auto headers = readHeaders(file);
    if (!headers || !supportedDepth(headers->bitsPerPixel)) return layout;
    layout.width = static_cast<uint32_t>(headers->width);
    layout.height = static_cast<uint32_t>(headers->height);
    if (headers->width * headers->height > kMaxLoadedPixels) {
        layout.kind = BitmapFileKind::TooLarge;
        return layout;
    }
    const uint32_t compression = headers->compression;
    if (compression == kRle8 || compression == kRle4) {
        const bool matches = headers->bitsPerPixel == (compression == kRle8 ? 8u : 4u);
        if (matches && !headers->topDown) layout.kind = BitmapFileKind::OtherDepth;
        return layout;
    }
    if ((compression != kUncompressed && compression != kBitFields) || !rowsComplete(file, *headers)) return layout;
    const bool trueColor = headers->bitsPerPixel == 24 || headers->bitsPerPixel == 32;
    if (!trueColor || headers->infoSize == kCoreHeaderSize) {
        if (compression == kUncompressed || headers->bitsPerPixel == 16) layout.kind = BitmapFileKind::OtherDepth;
        return layout;
    }
    if (compression == kBitFields && !readMasks(file, *headers, layout)) return layout;
    layout.kind = BitmapFileKind::TrueColor;
    layout.topDown = headers->topDown;
    layout.bytesPerPixel = headers->bitsPerPixel / 8;
    layout.pixelsOffset = static_cast<size_t>(headers->pixelsOffset);
    return layout;
}

void readTrueColorRows(std::string_view file, const BitmapFileLayout& layout, uint8_t* rows)
{
    const size_t sourceRowBytes = (static_cast<size_t>(layout.width) * layout.bytesPerPixel + 3) / 4 * 4;
    const size_t rowBytes = bitmapRowBytes(layout.width);
    const auto* source = reinterpret_cast<const uint8_t*>(file.data()) + layout.pixelsOffset;
    for (uint32_t y = 0; y < layout.height; ++y) {
        const uint32_t sourceRow = layout.topDown ? layout.height - 1 - y : y;
        const uint8_t* in = source + sourceRow * sourceRowBytes;
        uint8_t* out = rows + y * rowBytes;
        for (uint32_t x = 0; x < layout.width; ++x, in += layout.bytesPerPixel, out += 3) {
            out[0] = in[layout.blueByte];
            out[1] = in[layout.greenByte];
            out[2] = in[layout.redByte];
        }
        for (size_t pad = 0; pad < bitmapRowPadding(layout.width); ++pad) out[pad] = 0;
    }
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
