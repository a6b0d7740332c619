#include "shell/secret_clipboard.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "platform/text_codec.h"
#include "shell/password_list.h"
#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

using testing::pumpFor;

// As another program reads it, in UTF-8.
std::string clipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr)) return "(not opened)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(data))) {
            text = textFrom(units, TextEncoding::Utf8);
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
};

TEST_F(CopyCellTest, CopiesAreMarkedAndClearedAfterTheirTime)
{
    state().clipboardClearMs = 400;
    select(0);
    pressControlWith(list(), 'C');
    EXPECT_EQ(clipboardText(), "s3cret-pass");
    for (const char* marker : {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                               "CanUploadToCloudClipboard"}) {
        EXPECT_EQ(markerValue(marker), 0) << marker;
    }
    pressControlWith(list(), 'B');
    EXPECT_EQ(clipboardText(), "alice");
    pumpFor(700);
    EXPECT_EQ(clipboardText(), "") << "emptied after the timeout";
    EXPECT_EQ(testing::dialogItemText(window, IDC_STATUS_BAR), "Clipboard emptied");

    SendMessageA(window, WM_COMMAND, ID_COPY_PASS, 0);
    EXPECT_EQ(clipboardText(), "s3cret-pass");
    putOnClipboard("another program's copy");
    pumpFor(700);
    EXPECT_EQ(clipboardText(), "another program's copy") << "a later copy is left alone";

    // Another program reads a password in any script as it was typed.
    SetDlgItemTextW(window, IDC_ADD_USER, L"olga");
    SetDlgItemTextW(window, IDC_ADD_PASS, L"\x43F\x430\x440\x43E\x43B\x44C");
    SendMessageA(window, WM_COMMAND, IDC_ADD, 0);
    select(-1);
    select(1);
    SendMessageA(window, WM_COMMAND, ID_COPY_PASS, 0);
    EXPECT_EQ(clipboardText(), "\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C");
}

TEST_F(CopyCellTest, AClipboardHeldByAnotherProgramWhenTheTimeComesIsEmptiedOnceItIsFree)
{
    state().clipboardClearMs = 200;
    select(0);
    SendMessageA(window, WM_COMMAND, ID_COPY_PASS, 0);
    ASSERT_EQ(clipboardText(), "s3cret-pass");

    // Another thread opens the clipboard and keeps it past the time.
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    struct Holder {
        HANDLE opened, release;
    } holder{opened, release};
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* parameter) -> DWORD {
            auto* self = static_cast<Holder*>(parameter);
            const bool held = OpenClipboard(nullptr);
            SetEvent(self->opened);
            WaitForSingleObject(self->release, INFINITE);
            if (held) CloseClipboard();
            return held ? 0 : 1;
        },
        &holder, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(opened, 5000), WAIT_OBJECT_0);
    pumpFor(600);
    SetEvent(release);
    WaitForSingleObject(thread, 5000);
    DWORD held = 1;
    GetExitCodeThread(thread, &held);
    for (HANDLE handle : {thread, opened, release}) CloseHandle(handle);
    ASSERT_EQ(held, 0u) << "the other thread held the clipboard";
    EXPECT_EQ(clipboardText(), "s3cret-pass") << "not emptied while it was held";

    pumpFor(600);
    EXPECT_EQ(clipboardText(), "") << "emptied once it was free";
}

TEST_F(CopyCellTest, TheCopyKeysWorkFromAButtonAndLeaveAnEditFieldItsOwnCopy)
{
    select(0);
    pressControlWith(GetDlgItem(window, IDC_EXIT), 'B');
    EXPECT_EQ(clipboardText(), "alice");
    EXPECT_EQ(testing::dialogItemText(window, IDC_STATUS_BAR),
              "User name of alice copied; the clipboard is emptied in 12 s");
    pressControlWith(GetDlgItem(window, IDC_CLEAN_TEXT), 'C');
    EXPECT_EQ(clipboardText(), "s3cret-pass");

    // In an edit field Ctrl+C copies what is selected there.
    SetDlgItemTextA(window, IDC_ADD_DESCRIPTION, "typed words");
    SendDlgItemMessageA(window, IDC_ADD_DESCRIPTION, EM_SETSEL, 0, 5);
    pressControlWith(GetDlgItem(window, IDC_ADD_DESCRIPTION), 'C');
    EXPECT_EQ(clipboardText(), "typed");
}

TEST_F(CopyCellTest, WithoutASelectionTheCopyKeysDoNothing)
{
    select(-1);
    pressControlWith(list(), 'C');
    pressControlWith(list(), 'B');
    SendMessageA(window, WM_COMMAND, ID_COPY_USER, 0);
    EXPECT_EQ(clipboardText(), "before");
}

}  // namespace
}  // namespace tessaly
