#include "tests/support/png_writer.h"

#include <gtest/gtest.h>

namespace tessaly::testing {
namespace {

uint32_t bigEndianAt(const std::string& bytes, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

// Reads the stored deflate blocks back out of a zlib stream.
std::string inflateStored(const std::string& zlib)
{
    std::string out;
    size_t pos = 2;
    for (;;) {
        bool last = zlib[pos] & 1;
        size_t length = static_cast<unsigned char>(zlib[pos + 1]) | (static_cast<unsigned char>(zlib[pos + 2]) << 8);
        out += zlib.substr(pos + 5, length);
        pos += 5 + length;
        if (last) break;
    }
    EXPECT_EQ(bigEndianAt(zlib, pos), adler32(out));
    return out;
}

TEST(PngWriter, KnownChecksums)
{
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(adler32("Wikipedia"), 0x11E60398u);
}

TEST(PngWriter, ChunksCarryTheRowsWithFilterBytes)
{
    // Large enough to need more than one stored block.
    const uint32_t width = 200, height = 150;
    std::string rows;
    for (uint32_t i = 0; i < width * height * 3; ++i) rows.push_back(static_cast<char>(i * 7));
    const std::string png = encodePng(width, height, rows);

    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    size_t pos = 8;
    std::string types, idat;
    while (pos < png.size()) {
        uint32_t length = bigEndianAt(png, pos);
        std::string typed = png.substr(pos + 4, 4 + length);
        EXPECT_EQ(bigEndianAt(png, pos + 8 + length), crc32(typed));
        types += typed.substr(0, 4) + " ";
        if (typed.substr(0, 4) == "IHDR") {
            EXPECT_EQ(bigEndianAt(typed, 4), width);
            EXPECT_EQ(bigEndianAt(typed, 8), height);
        }
        if (typed.substr(0, 4) == "IDAT") idat = typed.substr(4);
        pos += 12 + length;
    }
    EXPECT_EQ(types, "IHDR IDAT IEND ");
    const std::string raw = inflateStored(idat);
    ASSERT_EQ(raw.size(), height * (1 + width * 3));
    for (uint32_t y = 0; y < height; ++y) {
        EXPECT_EQ(raw[y * (1 + width * 3)], '\0');
        EXPECT_EQ(raw.substr(y * (1 + width * 3) + 1, width * 3), rows.substr(y * width * 3, width * 3));
    }
}

}  // namespace
}  // namespace tessaly::testing
