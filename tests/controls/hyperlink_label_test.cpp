#include "controls/hyperlink_label.h"

#include <string>
#include <vector>

#include "platform/win32_handles.h"
#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

using testing::pumpFor;
using testing::pumpUntil;

class HyperlinkLabelTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        SetCursorPos(0, 0);
        ASSERT_TRUE(openMainWindow());
        state().webLink.setOpener([this](const std::string& address) { opened.push_back(address); });
        link = GetDlgItem(window, IDC_WEB_LINK);
        SetForegroundWindow(window);
    }

    POINT linkCentre() const
    {
        RECT area;
        GetClientRect(link, &area);
        return {area.right / 2, area.bottom / 2};
    }

    void moveMouseTo(HWND over, POINT client)
    {
        ClientToScreen(over, &client);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>(client.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
        input.mi.dy = static_cast<LONG>(client.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
        pumpFor(150);
    }

    // The colours and font the parent answers when the link asks how to draw.
    struct Look {
        COLORREF text;
        COLORREF background;
        bool underlined;
    };

    Look look()
    {
        WindowDc dc(link);
        SavedDcState saved(dc.get());
        SelectObject(dc.get(), GetStockObject(SYSTEM_FONT));
        SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(link));
        LOGFONTA font{};
        GetObjectA(GetCurrentObject(dc.get(), OBJ_FONT), sizeof font, &font);
        return {GetTextColor(dc.get()), GetBkColor(dc.get()), font.lfUnderline != 0};
    }

    HWND link = nullptr;
    std::vector<std::string> opened;
};

TEST_F(HyperlinkLabelTest, ClickOpensTheAddressOnce)
{
    testing::clickAt(link, linkCentre());
    EXPECT_TRUE(pumpUntil([&] { return !opened.empty(); }));
    pumpFor(200);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "https://www.velmora.example");
}

TEST_F(HyperlinkLabelTest, BlueAtRestRedAndUnderlinedUnderTheMouse)
{
    moveMouseTo(window, POINT{2, 2});
    // The platform reports the mouse leaving a little later.
    pumpUntil([&] { return look().text == HyperlinkLabel::kNormalColor; });
    Look rest = look();
    EXPECT_EQ(rest.text, HyperlinkLabel::kNormalColor);
    EXPECT_EQ(rest.background, GetSysColor(COLOR_BTNFACE));
    EXPECT_FALSE(rest.underlined);

    moveMouseTo(link, linkCentre());
    Look hover = look();
    EXPECT_EQ(hover.text, HyperlinkLabel::kHoverColor);
    EXPECT_TRUE(hover.underlined);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));

    moveMouseTo(window, POINT{2, 2});
    EXPECT_TRUE(pumpUntil([&] { return look().text == HyperlinkLabel::kNormalColor; }));
    EXPECT_TRUE(opened.empty());
}

}  // namespace
}  // namespace tessaly
