#include "shell/main_window.h"

#include <commctrl.h>

#include <filesystem>

#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/settings.h"
#include "shell/password_list.h"
#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

using testing::dialogItemText;
using testing::DialogResponder;
using testing::menuText;
using testing::pressButtonIn;
using testing::pumpUntil;
using testing::readFile;
using testing::windowText;

constexpr WPARAM kBullet = 183;

TEST_F(MainWindowTest, FirstStartCreatesTheSettingsAndShowsTheLanguageTexts)
{
    ASSERT_TRUE(openMainWindow());
    EXPECT_EQ(readFile(folder.file("conf.dat")), defaultSettingsText());

    EXPECT_EQ(windowText(window), "Tessaly - List");
    HWND tab = GetDlgItem(window, IDC_TAB);
    ASSERT_EQ(TabCtrl_GetItemCount(tab), 3);
    EXPECT_EQ(tabCaption(tab, 0), "List");
    EXPECT_EQ(tabCaption(tab, 1), "Image");
    EXPECT_EQ(tabCaption(tab, 2), "Encrypted Image");

    EXPECT_EQ(menuText(window, 0, true), "&File");
    EXPECT_EQ(menuText(window, 1, true), "&Edit");
    EXPECT_EQ(menuText(window, 3, true), "&Help");
    // The shortcut parts come from the accelerator table.
    EXPECT_EQ(menuText(window, ID_EDIT_FIND, false), "&Find...\tCtrl+F");
    EXPECT_EQ(menuText(window, ID_FILE_NEW, false), "&New\tCtrl+N");
    EXPECT_EQ(menuText(window, ID_FILE_SAVE_LIST, false), "Save List &As...\tCtrl+Shift+S");
    EXPECT_EQ(menuText(window, ID_EDIT_FIND_NEXT, false), "Find &Next\tF3");
    EXPECT_EQ(menuText(window, ID_COPY_PASS, false), "Copy &password\tCtrl+C");
    EXPECT_EQ(menuText(window, ID_EDIT_SELECT_ALL, false), "Select &All\tCtrl+A");
    EXPECT_EQ(menuText(window, ID_EDIT_DELETE, false), "&Delete\tDel");
    EXPECT_EQ(menuText(window, ID_OPTIONS, false), "&Options...");
    EXPECT_EQ(menuText(window, ID_HELP_HOME, false), "&Velmora Home Page");
    EXPECT_EQ(menuText(window, ID_HELP_ABOUT, false), "&About...");
    EXPECT_EQ(menuText(window, ID_FILE_LOAD_BMP, false), "Load &BMP");

    // Each label has an access key no other control of the window has.
    EXPECT_EQ(dialogItemText(window, IDC_LABEL_ADD_USER), "&User:");
    EXPECT_EQ(dialogItemText(window, IDC_LABEL_SELECT_USER), "U&ser:");
    EXPECT_EQ(dialogItemText(window, IDC_LABEL_SELECT_DESCRIPTION), "Descr&iption:");
    EXPECT_EQ(dialogItemText(window, IDC_FRAME_SELECT), "Select");
    EXPECT_EQ(dialogItemText(window, IDC_ADD), "&Add");
    EXPECT_EQ(dialogItemText(window, IDC_SHOW_ADD), "S&how");

    // Until a row is selected the select pane and Delete are disabled.
    for (int id :
         {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION, IDC_SHOW_SELECT, IDC_DELETE, IDC_REFRESH}) {
        EXPECT_FALSE(enabled(window, id)) << id;
    }
    for (int id : {IDC_ADD_USER, IDC_ADD_PASS, IDC_ADD_DESCRIPTION, IDC_ADD, IDC_CLEAN_TEXT, IDC_EXIT}) {
        EXPECT_TRUE(enabled(window, id)) << id;
    }
    EXPECT_EQ(IsDlgButtonChecked(window, IDC_CLEAN_TEXT), BST_UNCHECKED);
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_ADD_PASS, EM_GETPASSWORDCHAR, 0, 0), kBullet);

    const auto& shown = state();
    EXPECT_TRUE(IsWindowVisible(shown.pages[0]));
    EXPECT_FALSE(IsWindowVisible(shown.pages[1]));
    EXPECT_EQ(shown.currentPage, shown.pages[0]);
    EXPECT_EQ(dialogItemText(shown.pages[0], IDC_GENERATE_IMAGE), "&Generate Image");
    EXPECT_EQ(dialogItemText(shown.pages[1], IDC_SPOTLIGHT), "Spotlight");
    EXPECT_EQ(IsDlgButtonChecked(shown.pages[1], IDC_SPOTLIGHT), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageA(shown.pages[1], IDC_SPOTLIGHT_SIZE, TBM_GETPOS, 0, 0), 20);
    EXPECT_EQ(dialogItemText(shown.pages[2], IDC_DECRYPT), "&Decrypt");
}

TEST_F(MainWindowTest, ClickedTabShowsItsPageAndTitle)
{
    ASSERT_TRUE(openMainWindow());
    HWND tab = GetDlgItem(window, IDC_TAB);
    for (int index : {2, 1, 0}) {
        RECT item;
        TabCtrl_GetItemRect(tab, index, &item);
        testing::clickAt(tab, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        const auto& shown = state();
        EXPECT_TRUE(pumpUntil([&] { return shown.currentPage == shown.pages[index]; })) << index;
        EXPECT_EQ(windowText(window), "Tessaly - " + tabCaption(tab, index));
        for (int other = 0; other < kPageCount; ++other) {
            EXPECT_EQ(IsWindowVisible(shown.pages[other]) != FALSE, other == index) << index << " " << other;
        }
    }
}

TEST_F(MainWindowTest, SettingsSetTheInitialBoxes)
{
    std::string text = defaultSettingsText();
    text.replace(text.find("clean_text=false"), 16, "clean_text=true");
    text.replace(text.find("show_pass=false"), 15, "show_pass=true");
    testing::writeFile(folder.file("conf.dat"), text);
    ASSERT_TRUE(openMainWindow());
    EXPECT_EQ(IsDlgButtonChecked(window, IDC_CLEAN_TEXT), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(window, IDC_SHOW_ADD), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(window, IDC_SHOW_SELECT), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(state().pages[0], IDC_SHOW_PASS_ON_LIST), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_ADD_PASS, EM_GETPASSWORDCHAR, 0, 0), 0);
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_SELECT_PASS, EM_GETPASSWORDCHAR, 0, 0), 0);

    // Unchecking a Show box masks its field again.
    CheckDlgButton(window, IDC_SHOW_ADD, BST_UNCHECKED);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_SHOW_ADD, BN_CLICKED), 0);
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_ADD_PASS, EM_GETPASSWORDCHAR, 0, 0), kBullet);
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_ADD_PASS));
}

TEST_F(MainWindowTest, CustomColoursAreLoadedFromTheSettings)
{
    std::string text = defaultSettingsText();
    text.replace(text.find("custom_color_3=#FFFFFF"), 22, "custom_color_3=#0000ff");
    testing::writeFile(folder.file("conf.dat"), text);
    ASSERT_TRUE(openMainWindow());
    EXPECT_EQ(customColors()[3], RGB(0, 0, 255));
    EXPECT_EQ(customColors()[4], RGB(255, 255, 255));
}

TEST_F(MainWindowTest, EnterOutsideThePanesAndEscapeDoNothing)
{
    ASSERT_TRUE(openMainWindow());
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_ADD_USER)) << "typing starts in the Add pane";
    SetFocus(GetDlgItem(window, IDC_TAB));
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    testing::pumpFor(200);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(testing::findTopLevelWindow("Exit"));
}

TEST_F(MainWindowTest, StrayLettersPressNoButtonAndEnterInAPaneDoesItsWork)
{
    ASSERT_TRUE(openMainWindow());
    const auto type = [&](HWND focus, std::initializer_list<WORD> keys, bool alt = false) {
        SetForegroundWindow(window);
        SetFocus(focus);
        testing::pumpFor(50);
        if (alt) testing::pressKey(VK_MENU, false);
        for (WORD key : keys) {
            testing::pressKey(key, false);
            testing::pressKey(key, true);
        }
        if (alt) testing::pressKey(VK_MENU, true);
        testing::pumpFor(200);
    };
    SetDlgItemTextA(window, IDC_ADD_USER, "alice");
    SetDlgItemTextA(window, IDC_ADD_PASS, "pw");
    type(GetDlgItem(window, IDC_ADD_DESCRIPTION), {VK_RETURN});
    ASSERT_EQ(state().list.size(), 1u) << "Enter in the Add pane adds";
    DWORD start = 1, end = 0;
    SendDlgItemMessageA(window, IDC_ADD_USER, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_ADD_USER));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u) << "the next name typed replaces the last";

    ListView_SetItemState(listControl(page(kListPage)), 0, LVIS_SELECTED, LVIS_SELECTED);
    testing::pumpFor(50);
    ASSERT_TRUE(enabled(window, IDC_DELETE));
    for (int id : {IDC_ADD, IDC_CLEAN_TEXT, IDC_SHOW_ADD, IDC_SHOW_SELECT, IDC_DELETE, IDC_REFRESH, IDC_EXIT}) {
        type(GetDlgItem(window, id), {'A', 'D', 'X'});
        EXPECT_EQ(state().list.size(), 1u) << id;
        EXPECT_FALSE(testing::findTopLevelWindow("Exit")) << id;
    }
    // With Alt a letter is a mnemonic as ever; a label's moves to its field.
    type(GetDlgItem(window, IDC_CLEAN_TEXT), {'A'}, true);
    EXPECT_EQ(state().list.size(), 2u);
    type(GetDlgItem(window, IDC_EXIT), {'P'}, true);
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_ADD_PASS));
}

TEST_F(MainWindowTest, ClosingAnsweredNoKeepsEverything)
{
    ASSERT_TRUE(openMainWindow());
    settingsTable().set("font", "Changed");
    DialogResponder responder({pressButtonIn("Exit", IDNO)});
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(responder.finish(), 1u);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(readFile(folder.file("conf.dat")), defaultSettingsText());
}

TEST_F(MainWindowTest, ExitAnsweredYesWritesTheSettingsAndEndsTheWindow)
{
    writeSettings("my_key=hand added\r\n");
    ASSERT_TRUE(openMainWindow());
    settingsTable().set("font", "Verdana");
    DialogResponder responder({pressButtonIn("Exit", IDYES)});
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
    EXPECT_EQ(responder.finish(), 1u);
    EXPECT_TRUE(pumpUntil([&] { return !IsWindowVisible(window); }));
    std::string expected = defaultSettingsText() + "my_key=hand added\r\n";
    expected.replace(expected.find("font=Arial"), 10, "font=Verdana");
    const std::string written = readFile(folder.file("conf.dat"));
    EXPECT_EQ(written.substr(0, expected.size()), expected);
    EXPECT_EQ(written.substr(expected.size(), 12), "main_window=") << "and where the window was";
    EXPECT_FALSE(state().pages[0]);
}

RECT placeIn(HWND window, int id)
{
    RECT place{};
    GetWindowRect(GetDlgItem(window, id), &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

TEST_F(MainWindowTest, ResizedWindowShowsMoreRowsKeepsItsPanesAndComesBackAtTheNextStart)
{
    ASSERT_TRUE(openMainWindow());
    RECT made{};
    GetWindowRect(window, &made);
    const int rowsMade = ListView_GetCountPerPage(listControl(page(kListPage)));
    const RECT paneMade = placeIn(window, IDC_FRAME_SELECT);
    const RECT exitMade = placeIn(window, IDC_EXIT);
    RECT clientMade{};
    GetClientRect(window, &clientMade);

    SetWindowPos(window, nullptr, 20, 10, 1200, 900, SWP_NOZORDER);
    testing::pumpFor(100);
    HWND list = listControl(page(kListPage));
    EXPECT_GT(ListView_GetCountPerPage(list), 2 * rowsMade);
    RECT rows{};
    GetClientRect(list, &rows);
    EXPECT_EQ(ListView_GetColumnWidth(list, 0) + ListView_GetColumnWidth(list, 1) + ListView_GetColumnWidth(list, 2),
              rows.right)
        << "the description column takes the room";
    RECT client{};
    GetClientRect(window, &client);
    const RECT tab = placeIn(window, IDC_TAB);
    for (int id : {IDC_FRAME_ADD, IDC_FRAME_SELECT, IDC_ADD_USER, IDC_REFRESH, IDC_EXIT}) {
        const RECT control = placeIn(window, id);
        EXPECT_GE(control.left, tab.right) << id;
        EXPECT_LE(control.right, client.right) << id;
    }
    const RECT pane = placeIn(window, IDC_FRAME_SELECT);
    EXPECT_EQ(pane.right - pane.left, paneMade.right - paneMade.left);
    EXPECT_EQ(pane.bottom - pane.top, paneMade.bottom - paneMade.top);
    EXPECT_EQ(pane.top, paneMade.top);
    const RECT exit = placeIn(window, IDC_EXIT);
    EXPECT_EQ(client.right - exit.right, clientMade.right - exitMade.right) << "Exit keeps to the corner";
    EXPECT_EQ(client.bottom - exit.bottom, clientMade.bottom - exitMade.bottom);
    // The picture pages grow with the tabs.
    RECT view{};
    GetClientRect(GetDlgItem(page(kImagePage), IDC_PICTURE), &view);
    EXPECT_GT(view.right, tab.right - tab.left - 60);

    // Never smaller than it was made.
    SetWindowPos(window, nullptr, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOMOVE);
    RECT smallest{};
    GetWindowRect(window, &smallest);
    EXPECT_EQ(smallest.right - smallest.left, made.right - made.left);
    EXPECT_EQ(smallest.bottom - smallest.top, made.bottom - made.top);
    testing::pumpFor(100);
    EXPECT_FALSE(GetWindowLongPtrA(list, GWL_STYLE) & WS_HSCROLL) << "the last column gave the room back";

    SetWindowPos(window, nullptr, 20, 10, 1200, 900, SWP_NOZORDER);
    ShowWindow(window, SW_MAXIMIZE);
    DialogResponder responder({pressButtonIn("Exit", IDYES)});
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
    EXPECT_EQ(responder.finish(), 1u);
    DestroyWindow(window);

    ASSERT_TRUE(openMainWindow());
    EXPECT_TRUE(IsZoomed(window));
    ShowWindow(window, SW_RESTORE);
    RECT restored{};
    GetWindowRect(window, &restored);
    EXPECT_EQ(restored.left, 20);
    EXPECT_EQ(restored.top, 10);
    EXPECT_EQ(restored.right - restored.left, 1200);
    EXPECT_EQ(restored.bottom - restored.top, 900);
}

TEST_F(MainWindowTest, AMissingLanguageFileGivesWayToTheShippedOne)
{
    // As after the program's folder moved with a language stored in full.
    std::string text = defaultSettingsText();
    text.replace(text.find("lang\\default.lang"), 17, "C:\\gone\\lang\\spanish.lang");
    testing::writeFile(folder.file("conf.dat"), text);
    ASSERT_TRUE(openMainWindow());
    EXPECT_EQ(settingsTable().get("lang_file"), "lang\\default.lang");
    EXPECT_EQ(dialogItemText(window, IDC_ADD), "&Add");
}

TEST_F(MainWindowTest, MissingLanguageFileCancelledEndsWithoutWritingSettings)
{
    // Without the shipped file either, the user is asked.
    std::filesystem::remove(folder.file("lang/default.lang"));
    std::string text = defaultSettingsText();
    text.replace(text.find("lang\\default.lang"), 17, "lang\\nowhere.lang");
    testing::writeFile(folder.file("conf.dat"), text);
    DialogResponder responder({pressButtonIn("Error", IDOK), pressButtonIn("Open file", IDCANCEL)});
    window = createMainWindow();
    EXPECT_EQ(responder.finish(), 2u);
    testing::pumpFor(100);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(readFile(folder.file("conf.dat")), text);
}

TEST_F(MainWindowTest, LanguageChosenAtStartUpIsUsedAndRemembered)
{
    std::filesystem::remove(folder.file("lang/default.lang"));
    std::string text = defaultSettingsText();
    text.replace(text.find("lang_file=lang\\default.lang"), 27, "lang_file=");
    testing::writeFile(folder.file("conf.dat"), text);
    char full[MAX_PATH] = {};
    GetFullPathNameA("lang\\spanish.lang", MAX_PATH, full, nullptr);
    DialogResponder responder({pressButtonIn("Error", IDOK), testing::chooseFileIn("Open file", full)});
    window = createMainWindow();
    EXPECT_EQ(responder.finish(), 2u);
    ASSERT_TRUE(window);
    EXPECT_EQ(windowText(window), "Tessaly - Lista");
    EXPECT_EQ(dialogItemText(window, IDC_ADD), "&Agregar");
    EXPECT_STRCASEEQ(settingsTable().get("lang_file").c_str(), full);
}

}  // namespace
}  // namespace tessaly
