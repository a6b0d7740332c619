#include "controls/image_view.h"

#include <gtest/gtest.h>

#include <vector>

#include "formats/pixel_stream.h"
#include "formats/bitmap_file.h"
#include "platform/win32_handles.h"
#include "tests/support/pictures.h"

namespace tessaly {
namespace {

constexpr COLORREF kRed = RGB(200, 10, 10);
constexpr COLORREF kBlue = RGB(10, 10, 200);
constexpr COLORREF kFill = RGB(0xFF, 0xE2, 0xD5);
constexpr COLORREF kWhite = RGB(255, 255, 255);

using testing::flatPicture;
using testing::pictureOf;

// An item to draw into: a 32-bit canvas standing for the picture control.
class Canvas {
public:
    Canvas(int width, int height) : dc_(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
        selected_ = SelectObject(dc_.get(), bitmap_.get());
        item_.CtlType = ODT_STATIC;
        item_.hDC = dc_.get();
        item_.rcItem = {0, 0, width, height};
        width_ = width;
    }
    ~Canvas() { SelectObject(dc_.get(), selected_); }

    const DRAWITEMSTRUCT& item() const { return item_; }
    COLORREF at(int x, int y) const
    {
        GdiFlush();
        const uint32_t pixel = bits_[y * width_ + x];
        return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }

private:
    MemoryDc dc_;
    BitmapHandle bitmap_;
    HGDIOBJ selected_ = nullptr;
    uint32_t* bits_ = nullptr;
    DRAWITEMSTRUCT item_{};
    int width_ = 0;
};

HBRUSH white()
{
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

TEST(SpotlightView, DiscShowsThePictureAndTheFillCoversTheRestOfIt)
{
    BitmapHandle plain = flatPicture(100, 80, kRed);
    Canvas canvas(200, 150);
    ImageViewState view;
    SpotlightCanvas kept;
    view.spotlightRadius = 20;
    drawSpotlightView(canvas.item(), plain.get(), SpotlightCover{nullptr, kFill}, POINT{50, 40}, view, white(), kept);
    EXPECT_EQ(canvas.at(50, 40), kRed);
    EXPECT_EQ(canvas.at(50 + 17, 40), kRed);
    EXPECT_EQ(canvas.at(50 + 22, 40), kFill);
    EXPECT_EQ(canvas.at(64, 54), kFill);  // outside the disc at the diagonal
    EXPECT_EQ(canvas.at(5, 75), kFill);
    EXPECT_EQ(canvas.at(100, 40), kWhite);  // beyond the picture
    EXPECT_EQ(canvas.at(150, 120), kWhite);
}

TEST(SpotlightView, CoverPictureOutsideTheDiscAndNothingReadableWhenTheMouseIsFar)
{
    BitmapHandle plain = flatPicture(300, 300, kRed);
    BitmapHandle cover = flatPicture(300, 300, kBlue);
    Canvas canvas(200, 150);
    ImageViewState view;
    SpotlightCanvas kept;
    view.spotlightRadius = 60;
    drawSpotlightView(canvas.item(), plain.get(), SpotlightCover{cover.get(), kFill}, POINT{100, 75}, view, white(),
                      kept);
    EXPECT_EQ(canvas.at(100, 75), kRed);
    EXPECT_EQ(canvas.at(100 + 55, 75), kRed);
    EXPECT_EQ(canvas.at(5, 5), kBlue);

    drawSpotlightView(canvas.item(), plain.get(), SpotlightCover{cover.get(), kFill}, POINT{-500, 900}, view, white(),
                      kept);
    for (int y = 0; y < 150; y += 7) {
        for (int x = 0; x < 200; x += 7) ASSERT_EQ(canvas.at(x, y), kBlue) << x << "," << y;
    }
}

TEST(SpotlightView, SpotlightOffShowsTheWholePictureFromTheOffsets)
{
    std::vector<uint8_t> stream;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) stream.insert(stream.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7});
    }
    BitmapHandle plain(pictureOf(stream, 60, 50));
    Canvas canvas(40, 30);
    ImageViewState view;
    SpotlightCanvas kept;
    view.spotlightOff = true;
    view.offsetX = 11;
    view.offsetY = 5;
    drawSpotlightView(canvas.item(), plain.get(), SpotlightCover{}, POINT{0, 0}, view, white(), kept);
    EXPECT_EQ(canvas.at(0, 0), RGB(11, 5, 7));
    EXPECT_EQ(canvas.at(39, 29), RGB(50, 34, 7));
}

TEST(SpotlightView, ACoverGivenAsRowsIsDrawnFromTheOffsetsLikeAPicture)
{
    std::vector<uint8_t> stream;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) stream.insert(stream.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 9});
    }
    BitmapHandle cover(pictureOf(stream, 60, 50));
    ImageRows rows;
    ASSERT_TRUE(imageRows(cover.get(), rows));
    BitmapHandle plain = flatPicture(60, 50, kRed);
    Canvas canvas(40, 30);
    ImageViewState view;
    SpotlightCanvas kept;
    view.spotlightRadius = 5;
    view.offsetX = 11;
    view.offsetY = 5;
    drawSpotlightView(canvas.item(), plain.get(), SpotlightCover{nullptr, kFill, rows.rows}, POINT{20, 15}, view,
                      white(), kept);
    EXPECT_EQ(canvas.at(20, 15), kRed) << "inside the disc";
    EXPECT_EQ(canvas.at(0, 0), RGB(11, 5, 9));
    EXPECT_EQ(canvas.at(39, 29), RGB(50, 34, 9));
    EXPECT_EQ(canvas.at(39, 0), RGB(50, 5, 9));

    // The cover kept from the last repaint follows a scroll, and a larger
    // area shows white beyond the picture, not what the smaller one held.
    view.offsetX = 20;
    view.offsetY = 0;
    drawSpotlightView(canvas.item(), plain.get(), SpotlightCover{nullptr, kFill, rows.rows}, POINT{-50, -50}, view,
                      white(), kept);
    EXPECT_EQ(canvas.at(0, 0), RGB(20, 0, 9));
    EXPECT_EQ(canvas.at(39, 29), RGB(59, 29, 9));
    Canvas larger(70, 60);
    drawSpotlightView(larger.item(), plain.get(), SpotlightCover{nullptr, kFill, rows.rows}, POINT{-50, -50}, view,
                      white(), kept);
    EXPECT_EQ(larger.at(39, 49), RGB(59, 49, 9));
    EXPECT_EQ(larger.at(40, 10), kWhite) << "beyond the picture's right edge";
    EXPECT_EQ(larger.at(10, 50), kWhite) << "below its bottom";
}

TEST(SpotlightView, NoPictureIsWhiteInEitherMode)
{
    BitmapHandle cover = flatPicture(300, 300, kBlue);
    Canvas canvas(50, 50);
    for (bool off : {false, true}) {
        ImageViewState view;
        SpotlightCanvas kept;
        view.spotlightOff = off;
        drawSpotlightView(canvas.item(), nullptr, SpotlightCover{cover.get(), kFill}, POINT{25, 25}, view, white(),
                          kept);
        EXPECT_EQ(canvas.at(25, 25), kWhite);
        EXPECT_EQ(canvas.at(2, 2), kWhite);
    }
}

TEST(ImageView, PlainViewIsWhiteAroundThePicture)
{
    BitmapHandle picture = flatPicture(20, 10, kBlue);
    Canvas canvas(50, 50);
    drawImageView(canvas.item(), picture.get(), ImageViewState{}, white());
    EXPECT_EQ(canvas.at(0, 0), kBlue);
    EXPECT_EQ(canvas.at(19, 9), kBlue);
    EXPECT_EQ(canvas.at(20, 9), kWhite);
    EXPECT_EQ(canvas.at(5, 30), kWhite);
}

}  // namespace
}  // namespace tessaly
