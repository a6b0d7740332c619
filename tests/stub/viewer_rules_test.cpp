#include "stub/viewer_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace tessaly {
namespace {

TEST(ViewerRules, SpotlightStartsFromStringFour)
{
    EXPECT_EQ(spotlightFromString("20").radius, 20);
    EXPECT_FALSE(spotlightFromString("20").off);
    EXPECT_EQ(spotlightFromString("-35").radius, 35);
    EXPECT_TRUE(spotlightFromString("-35").off);
    EXPECT_EQ(spotlightFromString("0").radius, 0);
    EXPECT_EQ(spotlightFromString("").radius, 0);
    EXPECT_EQ(spotlightFromString("42abc").radius, 42);
    EXPECT_EQ(spotlightFromString("-99999999999999999999").radius, INT_MAX);
}

TEST(ViewerRules, KeypadStepsFiveAndStopsAtFive)
{
    EXPECT_EQ(shrunkRadius(10), 5);
    EXPECT_EQ(shrunkRadius(7), 5);
    EXPECT_EQ(shrunkRadius(5), 5);
    EXPECT_EQ(shrunkRadius(0), 5);
    EXPECT_EQ(shrunkRadius(23), 18);
    EXPECT_EQ(grownRadius(5), 10);
    EXPECT_EQ(grownRadius(INT_MAX), INT_MAX);
}

TEST(ViewerRules, TheRadiusIsHeldToThePicturesDiagonal)
{
    EXPECT_EQ(radiusWithin(spotlightFromString("2147483647").radius, 300, 400), 500);
    EXPECT_EQ(radiusWithin(spotlightFromString("-2147483647").radius, 3, 4), 5);
    EXPECT_EQ(radiusWithin(20, 300, 400), 20);
    EXPECT_EQ(radiusWithin(20, 1, 1), 2) << "rounded up: the corner stays inside";
}

TEST(ViewerRules, ClientAreaAndBarsFollowThePicture)
{
    const ViewerRect small = viewerClientArea(300, 200, 17, 16);
    EXPECT_EQ(small.width, 300);
    EXPECT_EQ(small.height, 200);
    const ViewerLayout fits = viewerLayout(300, 200, 300, 200, 17, 17);
    EXPECT_FALSE(fits.horizontalShown);
    EXPECT_FALSE(fits.verticalShown);
    EXPECT_EQ(fits.picture.width, 300);
    EXPECT_EQ(fits.picture.height, 200);

    // The bar's room is added, so the picture is seen whole across it.
    const ViewerRect wide = viewerClientArea(1000, 300, 17, 16);
    EXPECT_EQ(wide.width, 600);
    EXPECT_EQ(wide.height, 317);
    const ViewerLayout onlyHorizontal = viewerLayout(1000, 300, 600, 317, 17, 16);
    EXPECT_TRUE(onlyHorizontal.horizontalShown);
    EXPECT_FALSE(onlyHorizontal.verticalShown);
    EXPECT_EQ(onlyHorizontal.horizontal.y, 300);
    EXPECT_EQ(onlyHorizontal.horizontal.width, 600);
    EXPECT_EQ(onlyHorizontal.picture.height, 300);

    // Every list picture of five entries or more is narrow and tall.
    const ViewerRect tall = viewerClientArea(300, 600, 17, 16);
    EXPECT_EQ(tall.width, 316);
    EXPECT_EQ(tall.height, 400);
    const ViewerLayout onlyVertical = viewerLayout(300, 600, 316, 400, 17, 16);
    EXPECT_FALSE(onlyVertical.horizontalShown);
    EXPECT_TRUE(onlyVertical.verticalShown);
    EXPECT_EQ(onlyVertical.picture.width, 300) << "the right-most column can be seen";
    // One bar calls for the other: 395 rows do not fit beside a horizontal bar.
    const ViewerRect nearly = viewerClientArea(1000, 395, 17, 16);
    EXPECT_EQ(nearly.width, 600);
    EXPECT_EQ(nearly.height, 400);
    const ViewerLayout nearlyBoth = viewerLayout(1000, 395, 600, 400, 17, 16);
    EXPECT_TRUE(nearlyBoth.horizontalShown && nearlyBoth.verticalShown);
    const ViewerRect square = viewerClientArea(700, 700, 17, 16);
    EXPECT_EQ(square.width, 600);
    EXPECT_EQ(square.height, 400);

    const ViewerLayout both = viewerLayout(2000, 8000, 600, 400, 17, 16);
    EXPECT_TRUE(both.horizontalShown && both.verticalShown);
    EXPECT_EQ(both.horizontal.width, 584) << "the corner stays free";
    EXPECT_EQ(both.vertical.x, 584);
    EXPECT_EQ(both.vertical.height, 383);
    EXPECT_EQ(both.picture.width, 584);
    EXPECT_EQ(both.picture.height, 383);
}

}  // namespace
}  // namespace tessaly
