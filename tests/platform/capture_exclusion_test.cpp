#include "platform/capture_exclusion.h"

#include <utility>
#include <vector>

#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

// What the windows asked for, in order; the system here accepts only
// `accepted` (0: none).
std::vector<std::pair<HWND, DWORD>> asked;
DWORD accepted = 0;

BOOL WINAPI recordAffinity(HWND window, DWORD affinity)
{
    asked.emplace_back(window, affinity);
    return affinity == accepted;
}

class CaptureExclusionTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        asked.clear();
        previous = replaceDisplayAffinitySetter(recordAffinity);
    }
    void TearDown() override
    {
        replaceDisplayAffinitySetter(previous);
        MainWindowTest::TearDown();
    }

    DisplayAffinitySetter previous = nullptr;
};

TEST_F(CaptureExclusionTest, TheMainWindowAsksToBeLeftOutOfCapturesUnlessTheUserAllowsThem)
{
    accepted = 0x11;
    ASSERT_TRUE(openMainWindow());
    EXPECT_EQ(asked, (std::vector<std::pair<HWND, DWORD>>{{window, 0x11}}));
}

TEST_F(CaptureExclusionTest, AnOlderSystemShowsTheWindowBlackToCaptures)
{
    accepted = 0x01;
    ASSERT_TRUE(openMainWindow());
    EXPECT_EQ(asked, (std::vector<std::pair<HWND, DWORD>>{{window, 0x11}, {window, 0x01}}));
}

TEST_F(CaptureExclusionTest, AllowedCapturesAskForNothing)
{
    accepted = 0x11;
    writeSettings("allow_capture=true\n");
    ASSERT_TRUE(openMainWindow());
    EXPECT_TRUE(asked.empty());
}

}  // namespace
}  // namespace tessaly
