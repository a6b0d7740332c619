#include "controls/scroll_arithmetic.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

constexpr int kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4, kThumbTrack = 5;

TEST(ScrollArithmetic, PagesAndLinesStopShortOfTheEnd)
{
    ScrollBarState bar{999, 600, 0};
    EXPECT_EQ(scrolledPosition(bar, kPageDown, 0), 399);
    bar.position = 399;
    EXPECT_EQ(scrolledPosition(bar, kPageDown, 0), 399);

    bar.position = 0;
    while (scrolledPosition(bar, kLineDown, 0) != bar.position) bar.position = scrolledPosition(bar, kLineDown, 0);
    EXPECT_EQ(bar.position, 398);

    EXPECT_EQ(scrolledPosition(bar, kPageUp, 0), 0);
    bar.position = 700;
    EXPECT_EQ(scrolledPosition(bar, kPageUp, 0), 100);
    bar.position = 0;
    EXPECT_EQ(scrolledPosition(bar, kLineUp, 0), 0);
    EXPECT_EQ(scrolledPosition(bar, kPageUp, 0), 0);
    bar.position = 5;
    EXPECT_EQ(scrolledPosition(bar, kLineUp, 0), 4);
}

TEST(ScrollArithmetic, ThumbTrackingFollowsTheThumbAndOtherRequestsChangeNothing)
{
    const ScrollBarState bar{999, 600, 17};
    EXPECT_EQ(scrolledPosition(bar, kThumbTrack, 250), 250);
    EXPECT_EQ(scrolledPosition(bar, kThumbPosition, 250), 17);
    EXPECT_EQ(scrolledPosition(bar, 8, 250), 17);
}

TEST(ScrollArithmetic, PictureNoLongerThanTheAreaNeverScrollsNegative)
{
    EXPECT_EQ(scrolledPosition(ScrollBarState{599, 600, 0}, kPageDown, 0), 0);
    EXPECT_EQ(scrolledPosition(ScrollBarState{599, 600, 0}, kLineDown, 0), 0);
}

TEST(ScrollArithmetic, LayoutDisablesBarsOfShortPictures)
{
    const ScrollBarLayout wide = scrollBarLayout(1000, 600);
    EXPECT_EQ(wide.max, 999);
    EXPECT_EQ(wide.page, 600);
    EXPECT_FALSE(wide.disabled);
    EXPECT_TRUE(scrollBarLayout(100, 600).disabled);
    EXPECT_FALSE(scrollBarLayout(600, 600).disabled);
    EXPECT_EQ(scrollBarLayout(0, 600).max, 0);
    EXPECT_TRUE(scrollBarLayout(0, 600).disabled);
}

}  // namespace
}  // namespace tessaly
