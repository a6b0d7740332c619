#include "formats/bitmap_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

#include "formats/pixel_stream.h"
#include "formats/bitmap_format.h"
#include "platform/win32_handles.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

using testing::streamOf;

using testing::readFile;
using testing::TempFolder;

using testing::pictureOf;
using testing::randomStream;

uint32_t le32(const std::string& bytes, size_t offset)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[offset + i]);
    return value;
}

TEST(BitmapFile, TwoByOnePictureWritesTheRowsBlueGreenRedPadded)
{
    TempFolder folder;
    BitmapHandle image = pictureOf({1, 2, 3, 4, 5, 6}, 2, 1);
    ASSERT_TRUE(image);
    const std::string path = folder.file("two.bmp");
    ASSERT_TRUE(writeBitmapFile(image.get(), path));
    const std::string file = readFile(path);
    ASSERT_EQ(file.size(), 62u);
    EXPECT_EQ(le32(file, 2), file.size());
    EXPECT_EQ(le32(file, 10), 54u);
    EXPECT_EQ(file.substr(54), std::string("\x03\x02\x01\x06\x05\x04\x00\x00", 8));
    const auto header = bitmapFileHeader(2, 1);
    EXPECT_EQ(file.substr(0, 54), std::string(header.begin(), header.end()));
}

TEST(BitmapFile, SavedPicturesLoadBackWithEveryPixelEqual)
{
    TempFolder folder;
    std::vector<std::pair<uint32_t, uint32_t>> sizes;
    for (uint32_t width = 1; width <= 8; ++width) sizes.push_back({width, 3});
    sizes.push_back({1001, 777});
    for (auto [width, height] : sizes) {
        const auto stream = randomStream(width, height, width);
        BitmapHandle image = pictureOf(stream, width, height);
        const std::string path = folder.file("round.bmp");
        ASSERT_TRUE(writeBitmapFile(image.get(), path)) << width;
        EXPECT_EQ(readFile(path).size(), 54 + bitmapRowBytes(width) * height) << width;
        BitmapHandle loaded(loadBitmapFile(path));
        ASSERT_TRUE(loaded) << width;
        EXPECT_EQ(imageWidth(loaded.get()), width);
        EXPECT_EQ(imageHeight(loaded.get()), height);
        EXPECT_TRUE(streamOf(loaded.get()) == stream) << width << "x" << height;
    }
}

TEST(BitmapFile, BitmapsMadeElsewhereAreWrittenThroughAConversion)
{
    TempFolder folder;
    // A 2 × 2 device-dependent bitmap, top row first, blue-green-red-unused.
    const uint8_t bits[] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0};
    BitmapHandle foreign(CreateBitmap(2, 2, 1, 32, bits));
    ASSERT_TRUE(foreign);
    ASSERT_TRUE(writeBitmapFile(foreign.get(), folder.file("foreign.bmp")));
    const std::string file = readFile(folder.file("foreign.bmp"));
    const auto header = bitmapFileHeader(2, 2);
    EXPECT_EQ(file.substr(0, 54), std::string(header.begin(), header.end()));
    EXPECT_EQ(file.substr(54), std::string("\x07\x08\x09\x0A\x0B\x0C\0\0\x01\x02\x03\x04\x05\x06\0\0", 16));
}

constexpr uint32_t kRle8 = 1;

// A file of another form, built by hand: 8-bit with a palette, 32-bit, RLE.
std::string otherDepthFile(int bitsPerPixel, const std::vector<uint8_t>& pixelData, uint32_t width, uint32_t height,
                           const std::vector<uint8_t>& palette, uint32_t compression = 0)
{
    const uint32_t offset = 54 + static_cast<uint32_t>(palette.size());
    const uint32_t size = offset + static_cast<uint32_t>(pixelData.size());
    std::string file(54, '\0');
    auto put = [&](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<char>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, size, 4);
    put(10, offset, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, height, 4);
    put(26, 1, 2);
    put(28, static_cast<uint32_t>(bitsPerPixel), 2);
    put(30, compression, 4);
    put(34, static_cast<uint32_t>(pixelData.size()), 4);
    put(46, static_cast<uint32_t>(palette.size() / 4), 4);
    file.append(palette.begin(), palette.end());
    file.append(pixelData.begin(), pixelData.end());
    return file;
}

TEST(BitmapFile, OtherDepthsAreConvertedExactly)
{
    TempFolder folder;
    // 8-bit: a 3 × 1 picture of palette entries 2, 0, 1 (blue-green-red-zero).
    const std::vector<uint8_t> palette{10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0};
    testing::writeFile(folder.file("eight.bmp"), otherDepthFile(8, {2, 0, 1, 0}, 3, 1, palette));
    BitmapHandle eight(loadBitmapFile(folder.file("eight.bmp")));
    ASSERT_TRUE(eight);
    EXPECT_EQ(streamOf(eight.get()), (std::vector<uint8_t>{90, 80, 70, 30, 20, 10, 60, 50, 40}));

    // 32-bit, bottom-up: the stored first row is the picture's bottom row.
    const std::vector<uint8_t> pixels{1, 2, 3, 0xFF, 4, 5, 6, 0xFF, 7, 8, 9, 0xFF, 10, 11, 12, 0xFF};
    testing::writeFile(folder.file("wide.bmp"), otherDepthFile(32, pixels, 2, 2, {}));
    BitmapHandle wide(loadBitmapFile(folder.file("wide.bmp")));
    ASSERT_TRUE(wide);
    EXPECT_EQ(streamOf(wide.get()), (std::vector<uint8_t>{9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}));

    // RLE8, 4 × 2: the bottom row as two runs (1 1, 2 2), the top row in
    // absolute mode (0 1 2 0), then the end of the picture.
    const std::vector<uint8_t> runs{2, 1, 2, 2, 0, 0, 0, 4, 0, 1, 2, 0, 0, 0, 0, 1};
    testing::writeFile(folder.file("rle.bmp"), otherDepthFile(8, runs, 4, 2, palette, kRle8));
    BitmapHandle rle(loadBitmapFile(folder.file("rle.bmp")));
    ASSERT_TRUE(rle);
    EXPECT_EQ(streamOf(rle.get()), (std::vector<uint8_t>{30, 20, 10, 60, 50, 40, 90, 80, 70, 30, 20, 10,  //
                                                         60, 50, 40, 60, 50, 40, 90, 80, 70, 90, 80, 70}));

    // The older 12-byte header form: a 2 × 1 picture at 24 bits.
    std::string core;
    for (int byte : std::initializer_list<int>{'B', 'M', 34, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0,  // file header
                                               12,  0,   0,  0, 2, 0, 1, 0, 1, 0, 24, 0,  // width, height, planes, bits
                                               1,   2,   3,  4, 5, 6, 0, 0}) {
        core += static_cast<char>(byte);
    }
    testing::writeFile(folder.file("core.bmp"), core);
    BitmapHandle old(loadBitmapFile(folder.file("core.bmp")));
    ASSERT_TRUE(old);
    EXPECT_EQ(streamOf(old.get()), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
}

TEST(BitmapFile, TopDownAndMaskedTrueColourFilesLoadExactly)
{
    TempFolder folder;
    // 24-bit top-down, 2 x 2: the stored first row is the picture's top row.
    const std::vector<uint8_t> topDownRows{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    const auto minusTwo = static_cast<uint32_t>(-2);
    testing::writeFile(folder.file("top.bmp"), otherDepthFile(24, topDownRows, 2, minusTwo, {}));
    BitmapHandle top(loadBitmapFile(folder.file("top.bmp")));
    ASSERT_TRUE(top);
    EXPECT_EQ(streamOf(top.get()), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));

    // 32-bit with colour masks, red in the lowest byte, and with all-zero
    // masks (the usual layout), top-down.
    const std::vector<uint8_t> redFirst{0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0};
    const std::vector<uint8_t> pixels{1, 2, 3, 0, 4, 5, 6, 0};
    testing::writeFile(folder.file("masked.bmp"), otherDepthFile(32, pixels, 2, 1, redFirst, 3));
    BitmapHandle masked(loadBitmapFile(folder.file("masked.bmp")));
    ASSERT_TRUE(masked);
    EXPECT_EQ(streamOf(masked.get()), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    testing::writeFile(folder.file("zero.bmp"), otherDepthFile(32, pixels, 1, minusTwo, std::vector<uint8_t>(12), 3));
    BitmapHandle zero(loadBitmapFile(folder.file("zero.bmp")));
    ASSERT_TRUE(zero);
    EXPECT_EQ(streamOf(zero.get()), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));

    // Masks that are not whole bytes cannot be read exactly: refused.
    const std::vector<uint8_t> tenBits{0, 0, 0xF0, 0x3F, 0, 0xFC, 0x0F, 0, 0xFF, 0x03, 0, 0};
    testing::writeFile(folder.file("ten.bmp"), otherDepthFile(32, pixels, 2, 1, tenBits, 3));
    BitmapLoadStatus status = BitmapLoadStatus::Loaded;
    EXPECT_FALSE(loadBitmapFile(folder.file("ten.bmp"), &status));
    EXPECT_EQ(status, BitmapLoadStatus::NotAnImage);
}

TEST(BitmapFile, MissingOrForeignFilesLoadNothingAndFailedWritesSaySo)
{
    TempFolder folder;
    EXPECT_FALSE(loadBitmapFile(folder.file("missing.bmp")));
    testing::writeFile(folder.file("list.bmp"), "not a picture at all");
    EXPECT_FALSE(loadBitmapFile(folder.file("list.bmp")));
    std::string truncated = readFile(TESSALY_SOURCE_DIR "/resources/art/row_marker.bmp").substr(0, 60);
    testing::writeFile(folder.file("short.bmp"), truncated);
    EXPECT_EQ(loadBitmapFile(folder.file("short.bmp")), nullptr);

    BitmapHandle image = pictureOf({1, 2, 3}, 1, 1);
    EXPECT_FALSE(writeBitmapFile(image.get(), folder.file("no such folder/out.bmp")));
    EXPECT_FALSE(writeBitmapFile(nullptr, folder.file("none.bmp")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("none.bmp")));
}

TEST(BitmapFile, PicturesTooLargeForTheFormatAreRefused)
{
    EXPECT_FALSE(createImage(70000, 70000));
    EXPECT_FALSE(createImage(0, 5));

    // 64 bytes that promise a 30000 x 30000 picture in RLE8.
    TempFolder folder;
    testing::writeFile(folder.file("huge.bmp"), otherDepthFile(8, std::vector<uint8_t>(10), 30000, 30000, {}, kRle8));
    BitmapLoadStatus status = BitmapLoadStatus::Loaded;
    EXPECT_FALSE(loadBitmapFile(folder.file("huge.bmp"), &status));
    EXPECT_EQ(status, BitmapLoadStatus::TooLarge);
}

}  // namespace
}  // namespace tessaly
