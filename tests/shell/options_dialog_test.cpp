#include "shell/options_dialog.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/language.h"
#include "settings/settings.h"
#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

// A window of this process with `title`, once it shows.
HWND waitFor(const std::string& title)
{
    HWND found = nullptr;
    for (int waited = 0; waited < 10000 && !(found = testing::findTopLevelWindow(title)); waited += 20) Sleep(20);
    return found;
}

LRESULT itemMessage(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

std::string selectedText(HWND dialog, int id)
{
    char text[256] = {};
    const LRESULT selected = itemMessage(dialog, id, CB_GETCURSEL);
    if (selected != CB_ERR)
        itemMessage(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text));
    return text;
}

class OptionsDialogTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(openMainWindow());
    }

    // Opens Options and lets `act` work in it from the responder's thread;
    // `act` ends the dialog.
    void inOptions(const std::function<void(HWND)>& act, std::vector<testing::DialogStep> after = {})
    {
        after.insert(after.begin(), {"Options", act});
        const size_t steps = after.size();
        testing::DialogResponder responder(std::move(after));
        PostMessageA(window, WM_COMMAND, ID_OPTIONS, 0);
        EXPECT_EQ(responder.finish(), steps);
        testing::pumpFor(100);
    }

    static std::string setting(const char* key) { return settingsTable().get(key); }
};

TEST_F(OptionsDialogTest, OpensOnTheSettingsAndCancelStoresNothing)
{
    const std::string before = settingsTable().serialize();
    inOptions([](HWND dialog) {
        EXPECT_EQ(itemMessage(dialog, IDC_TEXT_COLOR_LIST, CB_GETCURSEL), 0);
        EXPECT_EQ(itemMessage(dialog, IDC_TEXT_COLOR_LIST, CB_GETITEMDATA, 0), 0xD37618);
        EXPECT_EQ(itemMessage(dialog, IDC_BK_COLOR_LIST, CB_GETITEMDATA, 0), 0xFFE2D5);
        EXPECT_EQ(itemMessage(dialog, IDC_BK_COLOR_LIST, CB_GETCOUNT), 17);
        EXPECT_EQ(selectedText(dialog, IDC_FONT_LIST), "Arial");
        EXPECT_EQ(selectedText(dialog, IDC_FONT_SIZE), "16");
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_BOLD), BST_CHECKED);
        EXPECT_EQ(testing::dialogItemText(dialog, IDC_TRANSLATOR), "");
        itemMessage(dialog, IDC_BK_COLOR_LIST, CB_SETCURSEL, 3);
        testing::pressButton(dialog, IDC_CANCEL);
    });
    EXPECT_EQ(settingsTable().serialize(), before);
}

TEST_F(OptionsDialogTest, OkStoresTheChosenColourItsPositionAndOddSizes)
{
    settingsTable().set("fontsize", "20");
    inOptions([](HWND dialog) {
        EXPECT_EQ(itemMessage(dialog, IDC_FONT_SIZE, CB_GETCURSEL), CB_ERR) << "20 is not offered";
        itemMessage(dialog, IDC_BK_COLOR_LIST, CB_SETCURSEL, 7);
        testing::pressButton(dialog, IDC_OK);
    });
    EXPECT_EQ(setting("bk_select_color"), "#00FF00");
    EXPECT_EQ(setting("bkindexcolor"), "7");
    EXPECT_EQ(setting("bkcolor"), "#FFE2D5");
    EXPECT_EQ(setting("fontsize"), "20") << "kept, not emptied";

    settingsTable().set("font", "No Such Face Installed");
    inOptions([](HWND dialog) {
        EXPECT_EQ(itemMessage(dialog, IDC_FONT_LIST, CB_GETCURSEL), CB_ERR);
        testing::pressButton(dialog, IDC_OK);
    });
    EXPECT_EQ(setting("font"), "No Such Face Installed") << "a font not installed here is kept";

    settingsTable().set("fontcolor", "red");
    settingsTable().set("fontindexcolor", "0");
    inOptions([](HWND dialog) { testing::pressButton(dialog, IDC_OK); });
    EXPECT_EQ(setting("fontcolor"), "#D37618") << "a colour that does not parse shows and stores the default";
    EXPECT_EQ(setting("font_select_color"), "#D37618");

    settingsTable().set("fontsize", "1");
    settingsTable().set("fontindexcolor", "40");
    inOptions([](HWND dialog) {
        EXPECT_EQ(selectedText(dialog, IDC_FONT_SIZE), "10");
        EXPECT_EQ(itemMessage(dialog, IDC_TEXT_COLOR_LIST, CB_GETCURSEL), 0) << "out of range selects entry 0";
        testing::pressButton(dialog, IDC_OK);
    });
    EXPECT_EQ(setting("fontsize"), "10");
    EXPECT_EQ(setting("fontindexcolor"), "0");
}

TEST_F(OptionsDialogTest, ColourChooserReplacesTheUsersOwnColour)
{
    inOptions([](HWND dialog) {
        itemMessage(dialog, IDC_TEXT_COLOR_LIST, CB_SETCURSEL, 9);  // #0000FF
        testing::pressButton(dialog, IDC_TEXT_COLOR_PICK);
        HWND chooser = waitFor("Color");
        ASSERT_TRUE(chooser);
        testing::pressButton(chooser, IDOK);
        for (int i = 0; i < 200 && IsWindow(chooser) && IsWindowVisible(chooser); ++i) Sleep(20);
        EXPECT_EQ(itemMessage(dialog, IDC_TEXT_COLOR_LIST, CB_GETCURSEL), 0);
        testing::pressButton(dialog, IDC_OK);
    });
    EXPECT_EQ(setting("fontcolor"), "#0000FF");
    EXPECT_EQ(setting("font_select_color"), "#0000FF");
    EXPECT_EQ(setting("fontindexcolor"), "0");
}

TEST_F(OptionsDialogTest, UncheckingCreateExeDisablesThePathButKeepsIt)
{
    settingsTable().set("create_exe", "true");
    settingsTable().set("exe_path", "C:\\lists\\mine.exe");
    inOptions([](HWND dialog) {
        EXPECT_TRUE(enabled(dialog, IDC_EXE_PATH_DEFAULT));
        SendMessageA(GetDlgItem(dialog, IDC_CREATE_EXE_DEFAULT), BM_CLICK, 0, 0);
        EXPECT_FALSE(enabled(dialog, IDC_EXE_PATH_DEFAULT));
        EXPECT_FALSE(enabled(dialog, IDC_EXE_PATH_SELECT));
        testing::pressButton(dialog, IDC_OK);
    });
    EXPECT_EQ(setting("create_exe"), "false");
    EXPECT_EQ(setting("exe_path"), "C:\\lists\\mine.exe");
}

TEST_F(OptionsDialogTest, GuardedFilesAreOnUnlessTurnedOffAndTheBoxStoresTheDefault)
{
    ASSERT_EQ(setting("sfx_guarded"), "");
    inOptions([](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SFX_GUARDED_DEFAULT), BST_CHECKED);
        SendMessageA(GetDlgItem(dialog, IDC_SFX_GUARDED_DEFAULT), BM_CLICK, 0, 0);
        testing::pressButton(dialog, IDC_OK);
    });
    EXPECT_EQ(setting("sfx_guarded"), "false");
}

TEST_F(OptionsDialogTest, SavedListChoicesStartOnAndFiveMinutesAndOkStoresThem)
{
    inOptions([](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_KEEP_PREVIOUS), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_REOPEN_LAST), BST_CHECKED);
        EXPECT_EQ(itemMessage(dialog, IDC_LOCK_MINUTES, CB_GETCOUNT), 8);
        EXPECT_EQ(selectedText(dialog, IDC_LOCK_MINUTES), "5 min");
        SendMessageA(GetDlgItem(dialog, IDC_KEEP_PREVIOUS), BM_CLICK, 0, 0);
        itemMessage(dialog, IDC_LOCK_MINUTES, CB_SETCURSEL, 0);
        EXPECT_EQ(selectedText(dialog, IDC_LOCK_MINUTES), "Never");
        testing::pressButton(dialog, IDC_OK);
    });
    EXPECT_EQ(setting("keep_previous_version"), "false");
    EXPECT_EQ(setting("reopen_last_list"), "true");
    EXPECT_EQ(setting("lock_minutes"), "0");
}

TEST_F(OptionsDialogTest, LanguagesOfTheFolderAreListedByNameAndStoredByTheirPlaceInIt)
{
    inOptions([](HWND dialog) {
        EXPECT_EQ(itemMessage(dialog, IDC_LANG_PATH, CB_GETCOUNT, 0), 3);
        EXPECT_EQ(selectedText(dialog, IDC_LANG_PATH), "English");
        // "Русский", read from its UTF-8 file.
        EXPECT_GE(itemMessage(dialog, IDC_LANG_PATH, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>("\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9")),
                  0);
        const LRESULT spanish = itemMessage(dialog, IDC_LANG_PATH, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>("Espa\xC3\xB1ol"));
        ASSERT_GE(spanish, 0);
        itemMessage(dialog, IDC_LANG_PATH, CB_SETCURSEL, static_cast<WPARAM>(spanish));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_LANG_PATH, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_LANG_PATH)));
        testing::pressButton(dialog, IDC_OK);
    });
    EXPECT_EQ(setting("lang_file"), "lang\\spanish.lang");
    EXPECT_EQ(testing::windowText(window), "Tessaly - Lista");
}

TEST_F(OptionsDialogTest, ChosenLanguageShowsItsTranslatorAndAppliesAtOnceOnOk)
{
    std::string spanish = testing::readFile(folder.file("lang/spanish.lang"));
    spanish.replace(spanish.find("lang_translator="), 16, "lang_translator=Ana");
    const std::string path = folder.file("mine.lang");
    testing::writeFile(path, spanish);
    inOptions([path](HWND dialog) {
        testing::pressButton(dialog, IDC_LANG_SELECT);
        HWND chooser = waitFor("Language");
        ASSERT_TRUE(chooser);
        testing::fillFileNameAndConfirm(chooser, path);
        for (int i = 0; i < 200 && IsWindow(chooser) && IsWindowVisible(chooser); ++i) Sleep(20);
        EXPECT_EQ(testing::dialogItemText(dialog, IDC_TRANSLATOR), "Translated by: Ana");
        testing::pressButton(dialog, IDC_OK);
    });
    EXPECT_STRCASEEQ(setting("lang_file").c_str(), path.c_str());
    EXPECT_EQ(testing::windowText(window), "Tessaly - Lista");
    EXPECT_EQ(testing::menuText(window, ID_OPTIONS, false), "&Opciones...");
}

TEST_F(OptionsDialogTest, CloseBoxStoresNothingButReloadsTheLanguage)
{
    settingsTable().set("lang_file", folder.file("lang/spanish.lang"));
    const std::string before = settingsTable().serialize();
    inOptions([](HWND dialog) {
        itemMessage(dialog, IDC_BK_COLOR_LIST, CB_SETCURSEL, 5);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(settingsTable().serialize(), before);
    EXPECT_EQ(testing::dialogItemText(window, IDC_ADD), "&Agregar");
}

TEST_F(OptionsDialogTest, UnreadableLanguageFileKeepsTheTextsAndSaysSo)
{
    settingsTable().set("lang_file", folder.file("gone.lang"));
    auto text = std::make_shared<std::string>();
    inOptions([](HWND dialog) { testing::pressButton(dialog, IDC_OK); }, {testing::readMessageIn("Error", text)});
    EXPECT_EQ(*text, "The chosen language file could not be read. The texts stay as they were.");
    EXPECT_EQ(testing::dialogItemText(window, IDC_ADD), "&Add");
}

}  // namespace
}  // namespace tessaly
