#include "formats/pixel_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "formats/bitmap_format.h"

namespace tessaly {
namespace {

TEST(PixelStream, TwoByOnePictureGivesTheStreamAndTheFileRows)
{
    // Red, green, blue 1, 2, 3 and 4, 5, 6.
    const std::vector<uint8_t> stream{1, 2, 3, 4, 5, 6};
    std::vector<uint8_t> rows(bitmapRowBytes(2), 0xEE);
    rowsFromPixelStream(stream.data(), 2, 1, rows.data());
    EXPECT_EQ(rows, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 0, 0}));

    std::vector<uint8_t> back(6);
    pixelStreamFromRows(rows.data(), 2, 1, back.data());
    EXPECT_EQ(back, stream);
}

TEST(PixelStream, TopLeftPixelOpensTheStreamAndLivesInTheLastRow)
{
    const uint32_t width = 3, height = 2;
    std::vector<uint8_t> stream(pixelStreamBytes(width, height));
    for (size_t i = 0; i < stream.size(); ++i) stream[i] = static_cast<uint8_t>(10 + i);
    std::vector<uint8_t> rows(bitmapRowBytes(width) * height);
    rowsFromPixelStream(stream.data(), width, height, rows.data());
    const size_t lastRow = bitmapRowBytes(width) * (height - 1);
    EXPECT_EQ(rows[lastRow + 0], 12);  // blue of the top-left pixel
    EXPECT_EQ(rows[lastRow + 2], 10);  // its red
    EXPECT_EQ(rows[0], 12 + 9);        // blue of the bottom-left pixel
    EXPECT_EQ(rows[9], 0);             // padding of the first stored row
}

TEST(PixelStream, EveryWidthRoundTripsThroughTheRows)
{
    std::mt19937 random(3);
    for (uint32_t width = 1; width <= 9; ++width) {
        for (uint32_t height : {1u, 2u, 7u}) {
            std::vector<uint8_t> stream(pixelStreamBytes(width, height));
            for (auto& byte : stream) byte = static_cast<uint8_t>(random());
            std::vector<uint8_t> rows(bitmapRowBytes(width) * height, 0xEE);
            rowsFromPixelStream(stream.data(), width, height, rows.data());
            for (uint32_t y = 0; y < height; ++y) {
                for (size_t pad = 3 * width; pad < bitmapRowBytes(width); ++pad) {
                    EXPECT_EQ(rows[y * bitmapRowBytes(width) + pad], 0) << width << "x" << height;
                }
            }
            std::vector<uint8_t> back(stream.size());
            pixelStreamFromRows(rows.data(), width, height, back.data());
            EXPECT_EQ(back, stream) << width << "x" << height;
        }
    }
}

}  // namespace
}  // namespace tessaly
