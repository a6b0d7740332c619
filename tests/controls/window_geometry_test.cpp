#include "controls/window_geometry.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

bool same(const Box& a, const Box& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(AnchoredBox, EachAnchorFollowsItsEdgesAndShrinkingUndoesGrowing)
{
    const Box made{10, 20, 110, 70};
    struct Case {
        Anchor anchor;
        Box grown;
    };
    const Case cases[] = {
        {Anchor::Fixed, {10, 20, 110, 70}},        {Anchor::Grow, {10, 20, 150, 100}},
        {Anchor::Right, {50, 20, 150, 70}},        {Anchor::BottomLeft, {10, 50, 110, 100}},
        {Anchor::BottomRight, {50, 50, 150, 100}}, {Anchor::Centre, {30, 35, 130, 85}},
        {Anchor::AlongBottom, {10, 50, 150, 100}}, {Anchor::AlongRight, {50, 20, 150, 100}},
    };
    for (const Case& item : cases) {
        const Box grown = anchoredBox(made, item.anchor, 40, 30);
        EXPECT_TRUE(same(grown, item.grown)) << static_cast<int>(item.anchor);
        // Moving back by as much gives the made box again, for every anchor.
        EXPECT_TRUE(same(anchoredBox(grown, item.anchor, -40, -30), made)) << static_cast<int>(item.anchor);
    }
}

TEST(WindowPlace, StoredPlacesReadBackAndAnythingElseIsRefused)
{
    const WindowPlace place{{-8, 20, 1192, 920}, true};
    const std::string stored = formatWindowPlace(place);
    EXPECT_EQ(stored, "-8,20,1192,920,max");
    const auto read = parseWindowPlace(stored, 400, 300);
    ASSERT_TRUE(read);
    EXPECT_TRUE(same(read->normal, place.normal));
    EXPECT_TRUE(read->maximised);

    const auto normal = parseWindowPlace("0,0,800,600", 400, 300);
    ASSERT_TRUE(normal);
    EXPECT_FALSE(normal->maximised);

    for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "0,0,800,600,min", "0,0,800,600max", "a,0,800,600",
                            "0, 0,800,600", "0,0,800,600,", "0,0,399,600", "0,0,800,299", "800,0,0,600",
                            "-2147483648,0,2147483647,600", "0,0,99999999999,600", "0,0,40000,600"}) {
        EXPECT_FALSE(parseWindowPlace(bad, 400, 300)) << bad;
    }
}

}  // namespace
}  // namespace tessaly
