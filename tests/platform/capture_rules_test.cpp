#include "platform/capture_rules.h"

#include <gtest/gtest.h>

#include "settings/settings.h"

namespace tessaly {
namespace {

TEST(CaptureRules, ExcludedUnlessTheUserAllowsCaptures)
{
    KeyValueTable settings;
    EXPECT_FALSE(captureAllowed(settings)) << "a missing key keeps captures out";
    settings.append("allow_capture", "True");
    EXPECT_FALSE(captureAllowed(settings)) << "only exactly \"true\" counts";
    settings.set("allow_capture", "true");
    EXPECT_TRUE(captureAllowed(settings));

    EXPECT_EQ(captureAffinityAttempts(false), (std::vector<uint32_t>{0x11, 0x01}));
    EXPECT_TRUE(captureAffinityAttempts(true).empty());
}

}  // namespace
}  // namespace tessaly
