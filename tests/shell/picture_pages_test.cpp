#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "formats/pixel_stream.h"
#include "formats/bitmap_file.h"
#include "shell/password_list.h"
#include "platform/win32_handles.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/pictures.h"

namespace tessaly {
namespace {

using testing::chooseFileIn;
using testing::DialogResponder;
using testing::pressButtonIn;
using testing::readMessageIn;

class PicturePagesTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(openMainWindow());
    }

    SCROLLINFO bar(int pageIndex, int id)
    {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(GetDlgItem(page(pageIndex), id), SB_CTL, &info);
        return info;
    }

    std::string savedPicture(uint32_t width, uint32_t height)
    {
        BitmapHandle image = testing::pictureOf(testing::randomStream(width, height, width), width, height);
        const std::string path = folder.file("picture.bmp");
        EXPECT_TRUE(writeBitmapFile(image.get(), path));
        return path;
    }
};

TEST_F(PicturePagesTest, LoadBmpClearsTheListAndShowsThePictureOnItsPage)
{
    SetDlgItemTextA(window, IDC_ADD_USER, "someone");
    SetDlgItemTextA(window, IDC_ADD_PASS, "pw");
    SendMessageA(window, WM_COMMAND, IDC_ADD, 0);
    const std::string path = savedPicture(1000, 700);
    SetFocus(listControl(page(0)));

    // The added entry was never saved: Load BMP asks first.
    EXPECT_EQ(commandAnswered(ID_FILE_LOAD_BMP,
                              {pressButtonIn("Unsaved changes", IDNO), chooseFileIn("Open file", path)}),
              2u);
    EXPECT_TRUE(IsWindowVisible(GetFocus())) << "the focus stayed on the hidden list page";
    auto& pictures = state().pictures;
    ASSERT_TRUE(pictures.plainImage);
    EXPECT_EQ(imageWidth(pictures.plainImage.get()), 1000u);
    EXPECT_EQ(state().currentPage, page(1));
    EXPECT_EQ(collectEntries(listControl(page(0)), false).size(), 0u);
    EXPECT_EQ(bar(1, IDC_HSCROLL).nMax, 999);
    EXPECT_EQ(bar(1, IDC_VSCROLL).nMax, 699);

    // Scrolling moves the bar and the view; page-down stops at the end.
    SendMessageA(page(1), WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(GetDlgItem(page(1), IDC_VSCROLL)));
    const SCROLLINFO vertical = bar(1, IDC_VSCROLL);
    EXPECT_EQ(vertical.nPos, static_cast<int>(vertical.nPage));

    EXPECT_EQ(commandAnswered(ID_FILE_LOAD_ENCRYPTED_BMP, {chooseFileIn("Open file", path)}), 1u);
    EXPECT_FALSE(pictures.plainImage) << "loading clears the other picture";
    ASSERT_TRUE(pictures.encryptedImage);
    EXPECT_EQ(state().currentPage, page(2));
}

TEST_F(PicturePagesTest, SmallPictureLeavesBothBarsShownAtZero)
{
    EXPECT_EQ(commandAnswered(ID_FILE_LOAD_BMP, {chooseFileIn("Open file", savedPicture(20, 10))}), 1u);
    for (int id : {IDC_HSCROLL, IDC_VSCROLL}) {
        EXPECT_EQ(bar(1, id).nPos, 0) << id;
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(page(1), id))) << id;
    }
}

TEST_F(PicturePagesTest, SaveWithoutAPictureSaysSoAndAFileThatIsNoPictureKeepsEverything)
{
    auto text = std::make_shared<std::string>();
    EXPECT_EQ(commandAnswered(ID_FILE_SAVE_BMP, {readMessageIn("Warning", text)}), 1u);
    EXPECT_EQ(*text, "There is no image to save.");

    EXPECT_EQ(commandAnswered(ID_FILE_LOAD_BMP, {chooseFileIn("Open file", savedPicture(30, 30))}), 1u);
    const HBITMAP loaded = state().pictures.plainImage.get();
    ASSERT_TRUE(loaded);
    const std::string notPicture = folder.file("notes.bmp");
    testing::writeFile(notPicture, "plain words");
    EXPECT_EQ(commandAnswered(ID_FILE_LOAD_ENCRYPTED_BMP,
                              {chooseFileIn("Open file", notPicture), readMessageIn("Error", text)}),
              2u);
    EXPECT_EQ(*text, "The file is not an image that can be loaded.");
    EXPECT_EQ(state().pictures.plainImage.get(), loaded);
}

TEST_F(PicturePagesTest, SavedPictureIsTheLoadedFileByteForByte)
{
    const std::string path = savedPicture(33, 17);
    EXPECT_EQ(commandAnswered(ID_FILE_LOAD_BMP, {chooseFileIn("Open file", path)}), 1u);
    const std::string copy = folder.file("copy.bmp");
    EXPECT_EQ(commandAnswered(ID_FILE_SAVE_BMP, {chooseFileIn("Save file", copy)}), 1u);
    EXPECT_EQ(testing::readFile(copy), testing::readFile(path));
}

TEST_F(PicturePagesTest, SpotlightBoxAndClicksSwitchTheModeAndTheSlider)
{
    HWND imagePage = page(1);
    HWND slider = GetDlgItem(imagePage, IDC_SPOTLIGHT_SIZE);
    EXPECT_TRUE(IsWindowEnabled(slider));
    SendMessageA(imagePage, WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(IsDlgButtonChecked(imagePage, IDC_SPOTLIGHT), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(slider));
    SendMessageA(imagePage, WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(IsDlgButtonChecked(imagePage, IDC_SPOTLIGHT), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(slider));
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), 20);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0), 60);
}

}  // namespace
}  // namespace tessaly
