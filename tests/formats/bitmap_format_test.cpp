#include "formats/bitmap_format.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

uint32_t field(const std::array<uint8_t, kBitmapHeaderSize>& header, size_t offset, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | header[offset + i];
    return value;
}

TEST(BitmapFormat, RowsArePaddedToFourBytes)
{
    const std::vector<std::pair<uint32_t, size_t>> cases{{1, 1}, {2, 2}, {3, 3}, {4, 0}, {5, 1}, {8, 0}};
    for (auto [width, padding] : cases) {
        EXPECT_EQ(bitmapRowPadding(width), padding) << width;
        EXPECT_EQ(bitmapRowBytes(width), 3 * width + padding) << width;
        EXPECT_EQ(bitmapRowBytes(width) % 4, 0u) << width;
    }
}

TEST(BitmapFormat, HeaderFieldsDescribeA24BitBottomUpFile)
{
    const auto header = bitmapFileHeader(5, 3);
    const uint32_t imageSize = 16 * 3;
    EXPECT_EQ(header[0], 'B');
    EXPECT_EQ(header[1], 'M');
    EXPECT_EQ(field(header, 2, 4), 54 + imageSize);
    EXPECT_EQ(field(header, 6, 4), 0u);
    EXPECT_EQ(field(header, 10, 4), 54u);
    EXPECT_EQ(field(header, 14, 4), 40u);
    EXPECT_EQ(field(header, 18, 4), 5u);
    EXPECT_EQ(field(header, 22, 4), 3u);
    EXPECT_EQ(field(header, 26, 2), 1u);
    EXPECT_EQ(field(header, 28, 2), 24u);
    EXPECT_EQ(field(header, 30, 4), 0u);
    EXPECT_EQ(field(header, 34, 4), imageSize);
    for (size_t offset : {38, 42, 46, 50}) EXPECT_EQ(field(header, offset, 4), 0u) << offset;
}

TEST(BitmapFormat, SizesBeyondTheFileFieldsAreRefused)
{
    EXPECT_EQ(bitmapPixelBytes(4000, 3000), 36000000u);
    EXPECT_EQ(bitmapPixelBytes(70000, 70000), 0u);
    EXPECT_EQ(bitmapPixelBytes(0, 10), 0u);
}

TEST(BitmapFormat, FilesCutShortAreIncomplete)
{
    const auto header = bitmapFileHeader(3, 2);
    std::string file(header.begin(), header.end());
    file += std::string(2 * bitmapRowBytes(3), '\x11');
    EXPECT_TRUE(bitmapFileComplete(file));
    EXPECT_FALSE(bitmapFileComplete(file.substr(0, file.size() - 1)));
    EXPECT_FALSE(bitmapFileComplete(file.substr(0, 20)));
    EXPECT_FALSE(bitmapFileComplete("not a bitmap file, but long enough to hold a whole header....."));
    std::string topDown = file;
    topDown[22] = '\xFE';  // height -2
    for (int i = 23; i < 26; ++i) topDown[i] = '\xFF';
    EXPECT_TRUE(bitmapFileComplete(topDown));

    // The older form: a 12-byte header of a 1 × 1 picture, 30 bytes in all.
    std::string core;
    for (int byte : std::initializer_list<int>{'B', 'M', 30, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0,  // file header
                                               12,  0,   0,  0, 1, 0, 1, 0, 1, 0, 24, 0,  // width, height, planes, bits
                                               1,   2,   3,  0}) {
        core += static_cast<char>(byte);
    }
    EXPECT_TRUE(bitmapFileComplete(core));
    EXPECT_FALSE(bitmapFileComplete(core.substr(0, 22)));
}

void put(std::string& file, size_t offset, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) file[offset + i] = static_cast<char>(value >> (8 * i));
}

// A bitmap file with a 40-byte header (and three colour masks when given)
// and `pixelBytes` pixel bytes of 0x11.
std::string bitmapFile(int32_t width, int32_t height, uint32_t bits, uint32_t compression, size_t pixelBytes,
                       std::vector<uint32_t> masks = {})
{
    const size_t offset = 54 + 4 * masks.size();
    std::string file(offset, '\0');
    file[0] = 'B';
    file[1] = 'M';
    put(file, 10, static_cast<uint32_t>(offset), 4);
    put(file, 14, 40, 4);
    put(file, 18, static_cast<uint32_t>(width), 4);
    put(file, 22, static_cast<uint32_t>(height), 4);
    put(file, 26, 1, 2);
    put(file, 28, bits, 2);
    put(file, 30, compression, 4);
    for (size_t i = 0; i < masks.size(); ++i) put(file, 54 + 4 * i, masks[i], 4);
    return file + std::string(pixelBytes, '\x11');
}

TEST(BitmapFormat, HeadersWhoseRowsWouldWrapOrWhoseDepthIsUnknownAreIncomplete)
{
    // 2^30 pixels of 32768 bits a row, 2^22 rows: a product that wraps to 0
    // in 64 bits.
    EXPECT_FALSE(bitmapFileComplete(bitmapFile(1 << 30, 1 << 22, 32768, 0, 64)));
    EXPECT_FALSE(bitmapFileComplete(bitmapFile(1 << 30, 1 << 22, 32, 0, 64)));
    for (uint32_t bits : {0u, 2u, 15u, 48u}) EXPECT_FALSE(bitmapFileComplete(bitmapFile(1, 1, bits, 0, 64))) << bits;
    for (uint32_t bits : {1u, 4u, 8u, 16u, 24u, 32u})
        EXPECT_TRUE(bitmapFileComplete(bitmapFile(1, 1, bits, 0, 4))) << bits;
    EXPECT_FALSE(bitmapFileComplete(bitmapFile(1, INT32_MIN, 24, 0, 4)));
}

TEST(BitmapFormat, InspectionTellsHowAFileCanBeRead)
{
    EXPECT_EQ(inspectBitmapFile(bitmapFile(3, 2, 24, 0, 24)).kind, BitmapFileKind::TrueColor);
    EXPECT_EQ(inspectBitmapFile(bitmapFile(3, 2, 24, 0, 23)).kind, BitmapFileKind::Unreadable) << "cut short";
    EXPECT_EQ(inspectBitmapFile(bitmapFile(3, 2, 8, 0, 8)).kind, BitmapFileKind::OtherDepth);
    EXPECT_EQ(inspectBitmapFile(bitmapFile(3, 2, 8, 1, 2)).kind, BitmapFileKind::OtherDepth) << "RLE8";
    EXPECT_EQ(inspectBitmapFile(bitmapFile(3, -2, 8, 1, 2)).kind, BitmapFileKind::Unreadable) << "top-down RLE";
    EXPECT_EQ(inspectBitmapFile(bitmapFile(3, 2, 24, 4, 2)).kind, BitmapFileKind::Unreadable) << "embedded JPEG";
    // A 64-byte compressed file may not promise a 30000 x 30000 picture.
    const std::string tiny = bitmapFile(30000, 30000, 8, 1, 10);
    ASSERT_EQ(tiny.size(), 64u);
    EXPECT_EQ(inspectBitmapFile(tiny).kind, BitmapFileKind::TooLarge);
    EXPECT_EQ(inspectBitmapFile(bitmapFile(16384, 16385, 24, 0, 0)).kind, BitmapFileKind::TooLarge);
    // 32-bit masks: whole bytes are read, anything else cannot be read exactly.
    EXPECT_EQ(inspectBitmapFile(bitmapFile(1, 1, 32, 3, 4, {0xFF, 0xFF00, 0xFF0000})).kind, BitmapFileKind::TrueColor);
    EXPECT_EQ(inspectBitmapFile(bitmapFile(1, 1, 32, 3, 4, {0, 0, 0})).kind, BitmapFileKind::TrueColor);
    EXPECT_EQ(inspectBitmapFile(bitmapFile(1, 1, 32, 3, 4, {0x3FF00000, 0xFFC00, 0x3FF})).kind,
              BitmapFileKind::Unreadable);
}

TEST(BitmapFormat, TrueColorFilesAreReadExactlyIntoBottomUpRows)
{
    // Two rows of two pixels, written top-down: first row 1 2 3 / 4 5 6
    // (blue, green, red), second row 7 8 9 / 10 11 12.
    std::string topDown = bitmapFile(2, -2, 24, 0, 0) + std::string("\1\2\3\4\5\6\0\0\7\10\11\12\13\14\0\0", 16);
    const BitmapFileLayout layout = inspectBitmapFile(topDown);
    ASSERT_EQ(layout.kind, BitmapFileKind::TrueColor);
    std::vector<uint8_t> rows(bitmapPixelBytes(2, 2), 0xEE);
    readTrueColorRows(topDown, layout, rows.data());
    EXPECT_EQ(rows, (std::vector<uint8_t>{7, 8, 9, 10, 11, 12, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0}));

    // One 32-bit pixel with red in the lowest byte, green next, blue next.
    std::string masked = bitmapFile(1, 1, 32, 3, 0, {0xFF, 0xFF00, 0xFF0000}) + std::string("\x30\x20\x10\x99", 4);
    const BitmapFileLayout maskedLayout = inspectBitmapFile(masked);
    ASSERT_EQ(maskedLayout.kind, BitmapFileKind::TrueColor);
    std::vector<uint8_t> pixel(4, 0xEE);
    readTrueColorRows(masked, maskedLayout, pixel.data());
    EXPECT_EQ(pixel, (std::vector<uint8_t>{0x10, 0x20, 0x30, 0}));
}

TEST(BitmapFormat, PackedDibIsTheFileWithoutItsFileHeader)
{
    const auto header = bitmapFileHeader(3, 2);
    const std::string rows(2 * 12, '\x5A');
    const std::string dib = std::string(header.begin() + 14, header.end()) + rows;
    const auto read = readPackedDib(dib);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->width, 3u);
    EXPECT_EQ(read->height, 2u);
    EXPECT_EQ(read->rowsOffset, kPackedDibHeaderSize);

    EXPECT_FALSE(readPackedDib(dib.substr(0, dib.size() - 1))) << "a row cut short";
    EXPECT_FALSE(readPackedDib(dib.substr(0, 39)));
    EXPECT_FALSE(readPackedDib(""));
    auto changed = [&](size_t offset, char value) {
        std::string copy = dib;
        copy[offset] = value;
        return copy;
    };
    EXPECT_FALSE(readPackedDib(changed(14, 8))) << "8 bits per pixel";
    EXPECT_FALSE(readPackedDib(changed(16, 1))) << "compressed";
    EXPECT_FALSE(readPackedDib(changed(0, 12))) << "another header form";
    EXPECT_FALSE(readPackedDib(changed(11, '\xFF'))) << "top-down";
    EXPECT_FALSE(readPackedDib(changed(4, 0))) << "no width";
}

}  // namespace
}  // namespace tessaly
