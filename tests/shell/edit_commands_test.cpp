#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32_handles.h"
#include "shell/password_list.h"
#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

using testing::DialogResponder;
using testing::DialogStep;
using testing::pumpFor;

class EditCommandsTest : public MainWindowTest {
protected:
    HWND list() const { return listControl(page(kListPage)); }
    std::vector<PasswordEntry> rows() const { return collectEntries(list(), false); }

    void add(const std::string& user, const std::string& pass, const std::string& description)
    {
        SetDlgItemTextA(window, IDC_ADD_USER, user.c_str());
        SetDlgItemTextA(window, IDC_ADD_PASS, pass.c_str());
        SetDlgItemTextA(window, IDC_ADD_DESCRIPTION, description.c_str());
        SendMessageA(window, WM_COMMAND, IDC_ADD, 0);
    }

    // Import CSV answered with `steps`; the file is read behind the progress
    // window, so the rows are there once the window takes commands again.
    size_t importAnswered(std::vector<DialogStep> steps)
    {
        const size_t answered = commandAnswered(ID_FILE_IMPORT_CSV, std::move(steps));
        testing::pumpUntil([&] { return !progressWindow() && IsWindowEnabled(window); });
        return answered;
    }

    int selectedRow() const
    {
        return static_cast<int>(SendMessageA(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
};

TEST_F(EditCommandsTest, CtrlGFillsThePasswordFieldAsTheSettingsSay)
{
    writeSettings("gen_length=12\ngen_symbols=false\n");
    ASSERT_TRUE(openMainWindow());
    pressControlWith(GetDlgItem(window, IDC_ADD_USER), 'G');
    const std::string first = testing::dialogItemText(window, IDC_ADD_PASS);
    ASSERT_EQ(first.size(), 12u);
    for (char c : first) EXPECT_TRUE(isalnum(static_cast<unsigned char>(c))) << first;
    pressControlWith(GetDlgItem(window, IDC_ADD_USER), 'G');
    EXPECT_NE(testing::dialogItemText(window, IDC_ADD_PASS), first) << "a new one each time";
}

TEST_F(EditCommandsTest, FindSelectsTheMatchingRowsInTurnAndWraps)
{
    ASSERT_TRUE(openMainWindow());
    add("amy", "bank", "Mail");
    add("BOB", "x", "First Bank");
    add("carl", "x", "shop");
    add("dora", "x", "bank two");
    auto seen = std::make_shared<std::vector<int>>();
    HWND listControl = list();
    const DialogStep find{"Find", [seen, listControl](HWND dialog) {
                              SetDlgItemTextA(dialog, IDC_FIND_TEXT, "BANK");
                              for (int i = 0; i < 3; ++i) {
                                  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_OK, BN_CLICKED), 0);
                                  seen->push_back(
                                      static_cast<int>(SendMessageA(listControl, LVM_GETNEXTITEM,
                                                                    static_cast<WPARAM>(-1), LVNI_SELECTED)));
                              }
                              testing::pressButton(dialog, IDC_CANCEL);
                          }};
    EXPECT_EQ(commandAnswered(ID_EDIT_FIND, {find}), 1u);
    EXPECT_EQ(*seen, (std::vector<int>{1, 3, 1})) << "descriptions and user names, never passwords; wrapping";
    EXPECT_EQ(testing::dialogItemText(window, IDC_SELECT_USER), "BOB") << "shown in the Select pane";

    SendMessageA(window, WM_COMMAND, ID_EDIT_FIND_NEXT, 0);
    EXPECT_EQ(selectedRow(), 3) << "Find Next repeats the search";

    auto text = std::make_shared<std::string>();
    // One step: the Find window stays open under the message.
    const DialogStep nothing{"Find", [text](HWND dialog) {
                                 SetDlgItemTextA(dialog, IDC_FIND_TEXT, "nowhere");
                                 testing::pressButton(dialog, IDC_OK);
                                 testing::answerMessageIn("Warning", text);
                                 testing::pressButton(dialog, IDC_CANCEL);
                             }};
    EXPECT_EQ(commandAnswered(ID_EDIT_FIND, {nothing}), 1u);
    EXPECT_EQ(*text, "No entry's user name or description holds that text.");
    EXPECT_EQ(selectedRow(), 3) << "the selection stays";
}

TEST_F(EditCommandsTest, AKeePassExportComesExactAndItsNotesShowTheirLineBreaksInTheSelectPane)
{
    ASSERT_TRUE(openMainWindow());
    const std::string file = folder.file("keepass.csv");
    testing::writeFile(file, "\"Account\",\"Login Name\",\"Password\",\"Web Site\",\"Comments\"\r\n"
                             "\"Work\",\"CORP\\\\jdoe\",\"e\\\\p{v6\\\"x\",\"\",\"line one\nline two\"\r\n");
    EXPECT_EQ(importAnswered({testing::chooseFileIn("Open file", file), testing::pressButtonIn("Import CSV", IDC_OK)}),
              2u);
    const std::vector<PasswordEntry> imported{{"CORP\\jdoe", "e\\p{v6\"x", "Work - line one\nline two"}};
    ASSERT_EQ(rows(), imported);

    ListView_SetItemState(list(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    pumpFor(100);
    EXPECT_EQ(testing::dialogItemText(window, IDC_SELECT_DESCRIPTION), "Work - line one \xC2\xB6 line two");
    SendMessageA(window, WM_COMMAND, IDC_REFRESH, 0);
    EXPECT_EQ(rows(), imported) << "unchanged, the breaks stay as they were";
    SetDlgItemTextA(window, IDC_SELECT_DESCRIPTION, "Work - line one \xC2\xB6 line two \xC2\xB6 three");
    SendMessageA(window, WM_COMMAND, IDC_REFRESH, 0);
    EXPECT_EQ(rows()[0].description, "Work - line one\r\nline two\r\nthree");
}

TEST_F(EditCommandsTest, ABrowsersExportImportsAndAnExportImportsBackTheSameRows)
{
    ASSERT_TRUE(openMainWindow());
    add("first", "keep", "already there");
    const std::string browser = folder.file("browser.csv");
    testing::writeFile(browser, "name,url,username,password\r\n"
                                "Bank,https://bank.example/login,amy,\"s3,cr\"\"et\"\r\n"
                                "Caf\xC3\xA9,,bob,pw\r\n");
    // The preview says what would come, and Cancel adds none of it.
    auto preview = std::make_shared<std::string>();
    auto shownRows = std::make_shared<std::vector<std::string>>();
    const DialogStep look{"Import CSV", [preview, shownRows](HWND dialog) {
                              *preview = testing::dialogItemText(dialog, IDC_PREVIEW_SUMMARY);
                              HWND list = GetDlgItem(dialog, IDC_PREVIEW_LIST);
                              char cell[64] = {};
                              for (int row = 0; row < ListView_GetItemCount(list); ++row) {
                                  for (int column = 0; column < 3; ++column) {
                                      ListView_GetItemText(list, row, column, cell, sizeof cell);
                                      shownRows->push_back(cell);
                                  }
                              }
                              testing::pressButton(dialog, IDC_CANCEL);
                          }};
    EXPECT_EQ(importAnswered({testing::chooseFileIn("Open file", browser), look}), 2u);
    EXPECT_EQ(*preview, "2 entries.\r\nExported by Chrome. The first rows as they will be added after the list:");
    EXPECT_EQ(*shownRows, (std::vector<std::string>{"amy", "********", "Bank - https://bank.example/login", "bob",
                                                    "********", "Caf\xC3\xA9"}));
    EXPECT_EQ(rows().size(), 1u);

    EXPECT_EQ(importAnswered(
                  {testing::chooseFileIn("Open file", browser), testing::pressButtonIn("Import CSV", IDC_OK)}),
              2u);
    EXPECT_EQ(testing::dialogItemText(window, IDC_STATUS_BAR), "2 entries imported");
    const std::vector<PasswordEntry> imported{{"first", "keep", "already there"},
                                              {"amy", "s3,cr\"et", "Bank - https://bank.example/login"},
                                              {"bob", "pw", "Caf\xC3\xA9"}};
    EXPECT_EQ(rows(), imported);

    const std::string exported = folder.file("exported.csv");
    EXPECT_EQ(commandAnswered(ID_FILE_EXPORT_CSV,
                              {testing::pressButtonIn("Warning", IDYES), testing::chooseFileIn("Save file", exported)}),
              2u);
    EXPECT_EQ(testing::readFile(exported).substr(0, 3), "\xEF\xBB\xBF");
    // The import left changes that were never saved: New asks about them.
    EXPECT_EQ(commandAnswered(ID_FILE_NEW, {testing::pressButtonIn("Unsaved changes", IDNO)}), 1u);
    EXPECT_EQ(importAnswered(
                  {testing::chooseFileIn("Open file", exported), testing::pressButtonIn("Import CSV", IDC_OK)}),
              2u);
    EXPECT_EQ(rows(), imported);

    auto text = std::make_shared<std::string>();
    const std::string broken = folder.file("broken.csv");
    testing::writeFile(broken, "username,password\r\na,b\r\nc,\"open\r\n");
    EXPECT_EQ(importAnswered({testing::chooseFileIn("Open file", broken), testing::readMessageIn("Error", text)}), 2u);
    EXPECT_EQ(*text, "Line 3: a quoted field is not closed as it should be. Nothing was imported.");
    EXPECT_EQ(rows(), imported) << "all or nothing";

    // A folder row is left out and told; a file of no entries adds none.
    const std::string folders = folder.file("folders.csv");
    testing::writeFile(folders, "name,username,password\r\nWork,,\r\nMail,cy,pw\r\n");
    EXPECT_EQ(importAnswered(
                  {testing::chooseFileIn("Open file", folders), testing::pressButtonIn("Import CSV", IDC_OK)}),
              2u);
    EXPECT_EQ(testing::dialogItemText(window, IDC_STATUS_BAR),
              "1 entries imported; 1 rows with no user name, password or notes left out");
    EXPECT_EQ(rows().size(), imported.size() + 1);
    // Any script comes in as it is, with nothing to warn of.
    const std::string cyrillic = folder.file("cyrillic.csv");
    const std::string password = "\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C";
    testing::writeFile(cyrillic, "name,username,password\r\nMail,olga," + password + "\r\n");
    EXPECT_EQ(importAnswered(
                  {testing::chooseFileIn("Open file", cyrillic), testing::pressButtonIn("Import CSV", IDC_OK)}),
              2u);
    EXPECT_EQ(rows().back(), (PasswordEntry{"olga", password, "Mail"}));
    const std::string headerOnly = folder.file("header.csv");
    testing::writeFile(headerOnly, "username,password\r\n");
    EXPECT_EQ(importAnswered({testing::chooseFileIn("Open file", headerOnly), testing::readMessageIn("Warning", text)}),
              2u);
    EXPECT_EQ(*text, "This file holds no entries: nothing was imported.");
    EXPECT_EQ(rows().size(), imported.size() + 2);

    // A file larger than any export is refused before it is read.
    const std::string huge = folder.file("huge.csv");
    {
        FileHandle file(
            CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER size{};
        size.QuadPart = 100ll << 20;
        ASSERT_TRUE(SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(file.get()));
    }
    EXPECT_EQ(importAnswered({testing::chooseFileIn("Open file", huge), testing::readMessageIn("Error", text)}), 2u);
    EXPECT_EQ(*text, "This file is larger than 64 MB, more than any password list exports: nothing was imported.");
    EXPECT_EQ(rows().size(), imported.size() + 2);
}

}  // namespace
}  // namespace tessaly
