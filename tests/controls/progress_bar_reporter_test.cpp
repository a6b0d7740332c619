#include "controls/progress_bar_reporter.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "cipher/rijndael_cipher.h"
#include "platform/win32_handles.h"

namespace tessaly {
namespace {

struct ProgressBarWindow {
    ProgressBarWindow()
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 20, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    }
    ~ProgressBarWindow() { DestroyWindow(bar); }
    int position() const { return static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)); }
    int high() const { return static_cast<int>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0)); }
    HWND bar;
};

TEST(ProgressBarReporter, BarRunsFromZeroToTheLength)
{
    ProgressBarWindow window;
    ASSERT_TRUE(window.bar);
    RijndaelCipher cipher;
    cipher.setKey("progress bar", 32);
    for (size_t length : {size_t(0), size_t(100), size_t(3 * 640 * 480)}) {
        std::vector<uint8_t> data(length, 3);
        ProgressBarReporter reporter(window.bar);
        SendMessageA(window.bar, PBM_SETPOS, 0, 0);
        EXPECT_EQ(cipher.encryptBuffer(data.data(), data.size(), &reporter), length);
        EXPECT_EQ(window.high(), static_cast<int>(length));
        EXPECT_EQ(window.position(), static_cast<int>(length));
    }
}

TEST(ProgressBarReporter, LongRunsAreScaledIntoTheBarsRange)
{
    ProgressBarWindow window;
    ProgressBarReporter reporter(window.bar);
    const uint64_t total = 5ull << 30;
    reporter.start(total);
    EXPECT_GT(window.high(), 0);
    for (int i = 0; i < 5; ++i) reporter.advance(1ull << 30);
    EXPECT_EQ(window.position(), window.high());
}

// Counts the positions the bar is given.
int positionsSent = 0;
WNDPROC barProc = nullptr;
LRESULT CALLBACK countingBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == PBM_SETPOS || message == PBM_DELTAPOS) ++positionsSent;
    return CallWindowProcA(barProc, bar, message, wParam, lParam);
}

TEST(ProgressBarReporter, ManyQuickReportsRepaintTheBarOnlyNowAndThen)
{
    ProgressBarWindow window;
    barProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window.bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingBarProc)));
    positionsSent = 0;
    ProgressBarReporter reporter(window.bar);
    const int reports = 20000;
    const ULONGLONG started = GetTickCount64();
    reporter.start(reports * 32 - 5);
    for (int i = 0; i < reports; ++i) reporter.advance(32);
    const ULONGLONG elapsed = GetTickCount64() - started;
    EXPECT_LE(positionsSent, static_cast<int>(elapsed / 40) + 2) << "at most one repaint every 40 ms";
    EXPECT_GE(positionsSent, 1);
    EXPECT_EQ(window.position(), reports * 32 - 5) << "the last position is always shown";
}

TEST(ProgressBarReporter, CancelStopsTheRun)
{
    ProgressBarWindow window;
    std::atomic<bool> cancelled{true};
    ProgressBarReporter reporter(window.bar, &cancelled);
    RijndaelCipher cipher;
    cipher.setKey("progress bar", 32);
    std::vector<uint8_t> data(32 * 4096, 1);
    const size_t done = cipher.encryptBuffer(data.data(), data.size(), &reporter);
    EXPECT_LT(done, data.size());
    EXPECT_EQ(data.back(), 1);
}

}  // namespace
}  // namespace tessaly
