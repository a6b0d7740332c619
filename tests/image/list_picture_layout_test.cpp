#include "image/list_picture_layout.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(ListPictureLayout, OneAndTwoEntriesOfLinesUpTo120By19Pixels)
{
    const auto one = listPictureLayout(1, 120, 19);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->width, 130);
    EXPECT_EQ(one->height, 87);
    EXPECT_EQ(one->lineHeight, 29);
    EXPECT_EQ(one->lineTop(0, 0), 5);
    EXPECT_EQ(one->lineTop(0, 1), 34);
    EXPECT_EQ(one->lineTop(0, 2), 63);
    EXPECT_FALSE(one->hasSeparator(0));

    const auto two = listPictureLayout(2, 120, 19);
    ASSERT_TRUE(two);
    EXPECT_EQ(two->width, 130);
    EXPECT_EQ(two->height, 181);
    EXPECT_TRUE(two->hasSeparator(0));
    EXPECT_FALSE(two->hasSeparator(1));
    EXPECT_EQ(two->separatorTop(0), 91) << "the separator covers rows 91 and 92";
    EXPECT_EQ(two->blockTop(1), 94);
    EXPECT_EQ(two->lineTop(1, 0), 99);
    EXPECT_EQ(two->lineTop(1, 1), 128);
    EXPECT_EQ(two->lineTop(1, 2), 157);
    EXPECT_EQ(two->pixelBytes(), 181u * 392u);
}

TEST(ListPictureLayout, NothingForAnEmptyListOrAPictureNoHeaderCanHold)
{
    EXPECT_FALSE(listPictureLayout(0, 120, 19));
    EXPECT_FALSE(listPictureTooLarge(0, 120, 19));
    // 10,000 entries of 400 by 19 pixels: 409 x 939,993, 1.15 GB.
    const auto many = listPictureLayout(10000, 400, 19);
    ASSERT_TRUE(many);
    EXPECT_EQ(many->height, 939993);
    // Just over 4 GB of pixels, then sides and counts past 2^31.
    EXPECT_TRUE(listPictureTooLarge(40000, 400, 19));
    EXPECT_FALSE(listPictureLayout(40000, 400, 19));
    EXPECT_TRUE(listPictureTooLarge(1, int64_t{1} << 31, 19));
    EXPECT_TRUE(listPictureTooLarge(int64_t{1} << 40, 1, 1));
    EXPECT_TRUE(listPictureTooLarge(1, 1, int64_t{1} << 40));
}

}  // namespace
}  // namespace tessaly
