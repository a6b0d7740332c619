#include "platform/capture_rules.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(CaptureRules, ExcludedFromCaptureElseShownBlackUnlessCapturesAreAllowed)
{
    EXPECT_EQ(captureAffinityAttempts(false), (std::vector<uint32_t>{0x11, 0x01}));
    EXPECT_TRUE(captureAffinityAttempts(true).empty());
}

}  // namespace
}  // namespace tessaly
