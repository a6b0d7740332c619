#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "formats/list_file.h"
#include "shell/commands.h"
#include "settings/settings.h"
#include "shell/password_list.h"
#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

using testing::chooseFileIn;
using testing::DialogResponder;
using testing::DialogStep;
using testing::fillTwiceIn;
using testing::pressButtonIn;
using testing::readFile;
using testing::readMessageIn;
using testing::windowText;

constexpr char kPassphrase[] = "se\xC3\xB1or secreto";
constexpr char kQuestion[] = "Unsaved changes";

DialogStep protectWith(const std::string& passphrase)
{
    return fillTwiceIn("Protect the list", IDC_PASSWORD, IDC_PASSWORD_REPEAT, passphrase, IDC_OK);
}

DialogStep openWith(const std::string& passphrase, const std::string& title = "Open the protected list")
{
    return testing::fillIn(title, IDC_PASSWORD, passphrase, IDC_OK);
}

// A main window holding a list that was typed in: it has unsaved changes
// and no file yet.
class OpenListTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(openMainWindow());
        appendEntry(page(kListPage), {"ana", "p\xC3\xA1ss", "bank"});
        appendEntry(page(kListPage), {"bob", "x", "mail"});
        updateTitle();
    }

    std::vector<PasswordEntry> rows() const { return state().list.entries(); }
    void updateTitle() { SendMessageA(window, WM_COMMAND, MAKEWPARAM(0, 0), 0); }

    // Runs a command and waits until its windows and any worker are done.
    size_t run(int id, std::vector<DialogStep> steps)
    {
        const size_t answered = commandAnswered(id, std::move(steps));
        testing::pumpUntil([&] { return !progressWindow() && IsWindowEnabled(window); });
        testing::pumpFor(50);
        return answered;
    }

    void saveProtectedAs(const std::string& path)
    {
        ASSERT_EQ(run(ID_FILE_SAVE_LIST, {chooseFileIn("Save file", path), protectWith(kPassphrase)}), 2u);
    }
};

TEST_F(OpenListTest, TheTitleNamesTheFileAndMarksUnsavedChanges)
{
    EXPECT_EQ(windowText(window), "Tessaly - List*");
    saveProtectedAs(folder.file("accounts.slp"));
    EXPECT_EQ(windowText(window), "Tessaly - List - accounts.slp");
    showPage(window, kImagePage);
    EXPECT_EQ(windowText(window), "Tessaly - Image - accounts.slp");
    appendEntry(page(kListPage), {"carol", "y", ""});
    updateTitle();
    EXPECT_EQ(windowText(window), "Tessaly - Image - accounts.slp*");

    // Sorting changes nothing that is saved.
    run(ID_FILE_SAVE, {});
    NMLISTVIEW click{};
    click.hdr = {listControl(page(kListPage)), IDC_LIST, LVN_COLUMNCLICK};
    click.iSubItem = 0;
    SendMessageA(page(kListPage), WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(windowText(window), "Tessaly - Image - accounts.slp");
}

TEST_F(OpenListTest, SaveSealsAProtectedListAgainWithItsKeptKeyAndAFreshNonce)
{
    const std::string path = folder.file("accounts.slp");
    saveProtectedAs(path);
    const std::string first = readFile(path);
    appendEntry(page(kListPage), {"carol", "y", ""});

    // No passphrase is asked, and none is derived: no window opens but the
    // progress window.
    EXPECT_EQ(run(ID_FILE_SAVE, {}), 0u);
    EXPECT_FALSE(state().list.modified());
    EXPECT_EQ(testing::dialogItemText(window, IDC_STATUS_BAR), "Saved accounts.slp");
    const std::string second = readFile(path);
    EXPECT_EQ(second.substr(16, 16), first.substr(16, 16)) << "the same salt";
    EXPECT_NE(second.substr(32, 12), first.substr(32, 12)) << "a new nonce";
    EXPECT_EQ(readFile(folder.file("accounts.old.slp")), first) << "the previous version is kept";

    const auto saved = rows();
    clearAll(window);
    EXPECT_EQ(run(ID_FILE_LOAD_LIST, {chooseFileIn("Open file", path), openWith(kPassphrase)}), 2u);
    EXPECT_EQ(rows(), saved) << "the first passphrase opens the file Save wrote";
}

TEST_F(OpenListTest, APlainSaveAsksFirstAndAProtectedFileStaysProtected)
{
    const std::string plain = folder.file("plain.slc");
    EXPECT_EQ(run(ID_FILE_SAVE_LIST, {chooseFileIn("Save file", plain), pressButtonIn("Warning", IDNO)}), 2u);
    EXPECT_FALSE(testing::fileExists(plain));
    EXPECT_EQ(run(ID_FILE_SAVE_LIST, {chooseFileIn("Save file", plain), pressButtonIn("Warning", IDYES)}), 2u);
    EXPECT_EQ(readFile(plain), encodeListFile({{"ana", "p\xE1ss", "bank"}, {"bob", "x", "mail"}}))
        << "the Western code page's bytes";

    // A protected file named .slc stays protected through Save.
    const std::string disguised = folder.file("disguised.slc");
    saveProtectedAs(folder.file("real.slp"));
    ASSERT_TRUE(CopyFileA(folder.file("real.slp").c_str(), disguised.c_str(), FALSE));
    clearAll(window);
    ASSERT_EQ(run(ID_FILE_LOAD_LIST, {chooseFileIn("Open file", disguised), openWith(kPassphrase)}), 2u);
    appendEntry(page(kListPage), {"carol", "y", ""});
    EXPECT_EQ(run(ID_FILE_SAVE, {}), 0u);
    EXPECT_EQ(readFile(disguised).substr(0, 8), "TESSLIST");
}

TEST_F(OpenListTest, UnsavedChangesAreAskedForBeforeTheyCouldBeLost)
{
    // Cancel keeps everything; No goes on without saving.
    EXPECT_EQ(run(ID_FILE_NEW, {pressButtonIn(kQuestion, IDCANCEL)}), 1u);
    EXPECT_EQ(rows().size(), 2u);
    EXPECT_EQ(run(ID_FILE_LOAD_BMP, {pressButtonIn(kQuestion, IDCANCEL)}), 1u);
    EXPECT_EQ(run(ID_FILE_LOAD_LIST, {pressButtonIn(kQuestion, IDCANCEL)}), 1u);
    EXPECT_EQ(rows().size(), 2u);
    PostMessageA(window, WM_CLOSE, 0, 0);
    DialogResponder({pressButtonIn(kQuestion, IDCANCEL)}).finish();
    testing::pumpFor(100);
    EXPECT_TRUE(IsWindowVisible(window));

    // Yes saves (Save As, as the list has no file), then goes on.
    const std::string path = folder.file("kept.slp");
    EXPECT_EQ(run(ID_FILE_NEW,
                  {pressButtonIn(kQuestion, IDYES), chooseFileIn("Save file", path), protectWith(kPassphrase)}),
              3u);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(windowText(window), "Tessaly - List");
    EXPECT_EQ(readFile(path).substr(0, 8), "TESSLIST");

    // A Save As given up keeps the list: the action does not go on.
    appendEntry(page(kListPage), {"dave", "z", ""});
    EXPECT_EQ(run(ID_FILE_NEW, {pressButtonIn(kQuestion, IDYES), pressButtonIn("Save file", IDCANCEL)}), 2u);
    EXPECT_EQ(rows().size(), 1u);

    // No on Exit ends the window without saving.
    EXPECT_EQ(run(ID_FILE_EXIT, {pressButtonIn(kQuestion, IDNO)}), 1u);
    EXPECT_TRUE(testing::pumpUntil([&] { return !IsWindowVisible(window); }));
}

TEST_F(OpenListTest, WindowsEndingTheSessionWaitsForTheAnswerAboutUnsavedChanges)
{
    // Cancel keeps the session (and the list); No lets it end unsaved.
    DialogResponder cancel({pressButtonIn(kQuestion, IDCANCEL)});
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_EQ(cancel.finish(), 1u);
    DialogResponder no({pressButtonIn(kQuestion, IDNO)});
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(no.finish(), 1u);

    // A locked list's changes are written as they were sealed, without the
    // passphrase.
    const std::string path = folder.file("accounts.slp");
    saveProtectedAs(path);
    appendEntry(page(kListPage), {"carol", "unsaved", ""});
    const auto changed = rows();
    EXPECT_EQ(run(ID_FILE_LOCK, {}), 0u);
    DialogResponder yes({pressButtonIn(kQuestion, IDYES)});
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(yes.finish(), 1u);
    EXPECT_EQ(run(IDC_UNLOCK, {openWith(kPassphrase, "Open the protected list - accounts.slp")}), 1u);
    clearAll(window);
    EXPECT_EQ(run(ID_FILE_LOAD_LIST, {chooseFileIn("Open file", path), openWith(kPassphrase)}), 2u);
    EXPECT_EQ(rows(), changed);
}

TEST_F(OpenListTest, AFileThatIsNoListChangesNothingAndADamagedOneLeavesNoFile)
{
    const std::string path = folder.file("accounts.slp");
    saveProtectedAs(path);
    const auto before = rows();
    const std::string csv = folder.file("export.csv");
    testing::writeFile(csv, "name,url,username,password\nbank,https://bank.example,ana,secret\n");
    auto text = std::make_shared<std::string>();
    EXPECT_EQ(run(ID_FILE_LOAD_LIST, {chooseFileIn("Open file", csv), readMessageIn("Warning", text)}), 2u);
    EXPECT_EQ(*text, "This file is not a password list. To bring in a CSV file use File > Import CSV.");
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(windowText(window), "Tessaly - List - accounts.slp");

    // Entries before the damage load, and Save then asks for a name.
    const std::string damaged = folder.file("damaged.slc");
    testing::writeFile(damaged, encodeListFile({{"eve", "w", ""}}) + std::string("\x09\x00\x00\x00", 4));
    EXPECT_EQ(run(ID_FILE_LOAD_LIST, {chooseFileIn("Open file", damaged), pressButtonIn("Warning", IDOK)}), 2u);
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_EQ(windowText(window), "Tessaly - List");
    EXPECT_EQ(run(ID_FILE_SAVE, {pressButtonIn("Save file", IDCANCEL)}), 1u);
}

TEST_F(OpenListTest, TheLastListOpensAgainAtStartAndRecentListsOpenAsLoadListDoes)
{
    const std::string sealed = folder.file("accounts.slp"), plain = folder.file("plain.slc");
    saveProtectedAs(sealed);
    const auto saved = rows();
    appendEntry(page(kListPage), {"carol", "y", ""});
    ASSERT_EQ(run(ID_FILE_SAVE_LIST, {chooseFileIn("Save file", plain), pressButtonIn("Warning", IDYES)}), 2u);
    EXPECT_EQ(testing::menuText(window, ID_FILE_RECENT_FIRST, false), "&1 " + plain);
    EXPECT_EQ(testing::menuText(window, ID_FILE_RECENT_FIRST + 1, false), "&2 " + sealed);

    EXPECT_EQ(run(ID_FILE_RECENT_FIRST + 1, {openWith(kPassphrase)}), 1u);
    EXPECT_EQ(rows(), saved);
    EXPECT_EQ(windowText(window), "Tessaly - List - accounts.slp");

    // A new start opens the newest list again, asking its passphrase. (The
    // file dialogs made the program's folder current, as the program keeps
    // it; the test's folder stands for it.)
    SetCurrentDirectoryA(folder.path().c_str());
    ASSERT_TRUE(settingsTable().saveToFile("conf.dat"));
    DestroyWindow(window);
    DialogResponder asked({openWith(kPassphrase)});
    window = createMainWindow();
    EXPECT_EQ(asked.finish(), 1u);
    testing::pumpUntil([&] { return !rows().empty(); });
    EXPECT_EQ(rows(), saved);

    // One that is gone is forgotten without a word.
    ASSERT_TRUE(DeleteFileA(sealed.c_str()));
    SetCurrentDirectoryA(folder.path().c_str());
    ASSERT_TRUE(settingsTable().saveToFile("conf.dat"));
    DestroyWindow(window);
    window = createMainWindow();
    testing::pumpFor(300);
    EXPECT_FALSE(testing::findTopLevelWindow("Open the protected list"));
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(testing::menuText(window, ID_FILE_RECENT_FIRST, false), "&1 " + plain);
    EXPECT_EQ(settingsTable().get("last_list"), plain);
}

TEST_F(OpenListTest, LockSealsUnsavedChangesAwayAndUnlockBringsThemBackExactly)
{
    const std::string path = folder.file("accounts.slp");
    saveProtectedAs(path);
    const std::string saved = readFile(path);
    appendEntry(page(kListPage), {"carol", "unsaved", ""});
    HWND list = listControl(page(kListPage));
    ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
    SetDlgItemTextA(window, IDC_ADD_PASS, "half typed");
    const auto before = rows();

    EXPECT_EQ(run(ID_FILE_LOCK, {}), 0u);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(windowText(window), "Tessaly - Locked - accounts.slp");
    EXPECT_EQ(testing::dialogItemText(window, IDC_STATUS_BAR), "Locked");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, IDC_STATUS_BAR)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDC_TAB)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, IDC_UNLOCK)));
    EXPECT_EQ(testing::dialogItemText(window, IDC_ADD_PASS), "");
    // Nothing the locked window holds can be saved over the file.
    EXPECT_EQ(run(ID_FILE_SAVE, {}), 0u);
    EXPECT_EQ(readFile(path), saved);

    // Cancel stays locked; a wrong passphrase is told and asked again.
    EXPECT_EQ(run(IDC_UNLOCK, {pressButtonIn("Open the protected list - accounts.slp", IDC_CANCEL)}), 1u);
    EXPECT_TRUE(rows().empty());
    auto text = std::make_shared<std::string>();
    EXPECT_EQ(run(IDC_UNLOCK,
                  {openWith("not the passphrase", "Open the protected list - accounts.slp"),
                   readMessageIn("Warning", text), openWith(kPassphrase, "Open the protected list - accounts.slp")}),
              3u);
    EXPECT_EQ(*text, "The password is wrong or the file is damaged.");
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 2);
    EXPECT_EQ(windowText(window), "Tessaly - List - accounts.slp*");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, IDC_TAB)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDC_UNLOCK)));

    // The kept key came back too: Save asks nothing.
    EXPECT_EQ(run(ID_FILE_SAVE, {}), 0u);
    EXPECT_NE(readFile(path), saved);
}

TEST_F(OpenListTest, TheSessionLockingLocksAProtectedListButAPlainListCannotLock)
{
    // A plain list has no key to lock under.
    EXPECT_EQ(run(ID_FILE_SAVE_LIST,
                  {chooseFileIn("Save file", folder.file("plain.slc")), pressButtonIn("Warning", IDYES)}),
              2u);
    SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    EXPECT_EQ(rows().size(), 2u);
    EXPECT_FALSE(GetMenuState(GetMenu(window), ID_FILE_LOCK, MF_BYCOMMAND) == MF_ENABLED);

    saveProtectedAs(folder.file("accounts.slp"));
    EXPECT_EQ(GetMenuState(GetMenu(window), ID_FILE_LOCK, MF_BYCOMMAND), static_cast<UINT>(MF_ENABLED));
    SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(windowText(window), "Tessaly - Locked - accounts.slp");
}

TEST_F(OpenListTest, MinimisingLocksAProtectedListAndAPlainListStaysShown)
{
    EXPECT_EQ(run(ID_FILE_SAVE_LIST,
                  {chooseFileIn("Save file", folder.file("plain.slc")), pressButtonIn("Warning", IDYES)}),
              2u);
    ShowWindow(window, SW_MINIMIZE);
    testing::pumpFor(100);
    EXPECT_EQ(rows().size(), 2u);
    ShowWindow(window, SW_RESTORE);

    saveProtectedAs(folder.file("accounts.slp"));
    ShowWindow(window, SW_MINIMIZE);
    testing::pumpFor(100);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(windowText(window), "Tessaly - Locked - accounts.slp");
    ShowWindow(window, SW_RESTORE);
}

}  // namespace
}  // namespace tessaly
