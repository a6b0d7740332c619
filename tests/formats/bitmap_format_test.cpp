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
