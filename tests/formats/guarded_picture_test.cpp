#include "formats/guarded_picture.h"

#include <gtest/gtest.h>

#include <vector>

#include "formats/bitmap_file.h"
#include "formats/bitmap_format.h"
#include "tests/support/pictures.h"

namespace tessaly {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes rowsOf(HBITMAP picture)
{
    ImageRows rows;
    if (!imageRows(picture, rows)) return {};
    return Bytes(rows.rows, rows.rows + bitmapPixelBytes(rows.width, rows.height));
}

TEST(GuardedStream, OpensOnlyWithItsPasswordAndCanBeTriedAgainAfterAWrongOne)
{
    // Rows with padding: the stream and the rows differ in length.
    const uint32_t width = 37, height = 5;
    BitmapHandle plain = testing::pictureOf(testing::randomStream(width, height, 7), width, height);
    GuardedPicture guarded;
    ASSERT_EQ(guardPicture(plain.get(), "the right one", guarded), GuardResult::Done);
    const Bytes sealedRows = rowsOf(guarded.sealed.get());
    GuardedStream sealed;
    ASSERT_EQ(sealed.read(guarded.header, sealedRows.data(), width, height), GuardResult::Done);

    Bytes readable(sealedRows.size(), 0xEE);
    EXPECT_EQ(sealed.open("the wrong one", readable.data()), GuardResult::WrongPassword);
    EXPECT_EQ(readable, Bytes(readable.size(), 0xEE)) << "written only when it opened";
    ASSERT_EQ(sealed.open("the right one", readable.data()), GuardResult::Done);
    EXPECT_EQ(readable, rowsOf(plain.get()));
}

TEST(GuardedStream, AHeaderOfAnotherSizeOrCutShortIsDamaged)
{
    BitmapHandle plain = testing::flatPicture(4, 3, RGB(1, 2, 3));
    GuardedPicture guarded;
    ASSERT_EQ(guardPicture(plain.get(), "any password", guarded), GuardResult::Done);
    const Bytes sealedRows = rowsOf(guarded.sealed.get());
    GuardedStream sealed;
    EXPECT_EQ(sealed.read(guarded.header, sealedRows.data(), 5, 3), GuardResult::Damaged);
    EXPECT_EQ(sealed.read(guarded.header, sealedRows.data(), 4, 2), GuardResult::Damaged);
    const std::string cutShort = guarded.header.substr(0, guarded.header.size() - 1);
    EXPECT_EQ(sealed.read(cutShort, sealedRows.data(), 4, 3), GuardResult::Damaged);
    Bytes readable(sealedRows.size());
    EXPECT_EQ(sealed.open("any password", readable.data()), GuardResult::Damaged) << "nothing was read";
}

}  // namespace
}  // namespace tessaly
