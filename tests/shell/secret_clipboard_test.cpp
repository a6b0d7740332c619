#include "shell/secret_clipboard.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "shell/password_list.h"
#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

using testing::pumpFor;

std::string clipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr)) return "(not opened)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void putOnClipboard(const std::string& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

// The DWORD a marker format holds, or -1 when it is not there.
long markerValue(const char* format)
{
    long value = -1;
    if (!OpenClipboard(nullptr)) return value;
    if (HANDLE data = GetClipboardData(RegisterClipboardFormatA(format))) {
        value = static_cast<long>(*static_cast<const DWORD*>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return value;
}

class CopyCellTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(openMainWindow());
        SetDlgItemTextA(window, IDC_ADD_USER, "alice");
        SetDlgItemTextA(window, IDC_ADD_PASS, "s3cret-pass");
        SendMessageA(window, WM_COMMAND, IDC_ADD, 0);
        putOnClipboard("before");
    }

    HWND list() const { return listControl(page(kListPage)); }

    void select(int row)
    {
        ListView_SetItemState(list(), row < 0 ? -1 : row, row < 0 ? 0 : LVIS_SELECTED, LVIS_SELECTED);
    }

    // Ctrl and a letter typed into the list, through the system's input.
    void pressControlWith(WORD key)
    {
        SetForegroundWindow(window);
        SetFocus(list());
        pumpFor(50);
        testing::pressKey(VK_CONTROL, false);
        testing::pressKey(key, false);
        testing::pressKey(key, true);
        testing::pressKey(VK_CONTROL, true);
        pumpFor(200);
    }
};

TEST_F(CopyCellTest, CopiesAreMarkedAndClearedAfterTheirTime)
{
    state().clipboardClearMs = 400;
    select(0);
    pressControlWith('C');
    EXPECT_EQ(clipboardText(), "s3cret-pass");
    for (const char* marker : {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                               "CanUploadToCloudClipboard"}) {
        EXPECT_EQ(markerValue(marker), 0) << marker;
    }
    pressControlWith('B');
    EXPECT_EQ(clipboardText(), "alice");
    pumpFor(700);
    EXPECT_EQ(clipboardText(), "") << "emptied after the timeout";

    SendMessageA(window, WM_COMMAND, ID_COPY_PASS, 0);
    EXPECT_EQ(clipboardText(), "s3cret-pass");
    putOnClipboard("another program's copy");
    pumpFor(700);
    EXPECT_EQ(clipboardText(), "another program's copy") << "a later copy is left alone";
}

TEST_F(CopyCellTest, WithoutASelectionTheCopyKeysDoNothing)
{
    select(-1);
    pressControlWith('C');
    pressControlWith('B');
    SendMessageA(window, WM_COMMAND, ID_COPY_USER, 0);
    EXPECT_EQ(clipboardText(), "before");
}

}  // namespace
}  // namespace tessaly
