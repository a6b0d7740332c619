#include "shell/password_list.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "formats/list_file.h"
#include "platform/win32_handles.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/pictures.h"

namespace tessaly {
namespace {

using testing::chooseFileIn;
using testing::dialogItemText;
using testing::DialogResponder;
using testing::pressButtonIn;
using testing::pumpFor;
using testing::readFile;
using testing::readMessageIn;

// A list file built by hand from the format: per field a 32-bit
// little-endian length, then the bytes.
std::string field(const std::string& bytes)
{
    const auto n = static_cast<unsigned>(bytes.size());
    std::string out{static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
                    static_cast<char>((n >> 16) & 0xFF), static_cast<char>(n >> 24)};
    return out + bytes;
}

std::string record(const std::string& user, const std::string& pass, const std::string& description)
{
    return field(user) + field(pass) + field(description);
}

std::vector<std::string> column(const std::vector<PasswordEntry>& rows, int index)
{
    std::vector<std::string> cells;
    for (const auto& row : rows) {
        cells.emplace_back(index == 1 ? std::string_view(row.pass) : index == 0 ? row.user : row.description);
    }
    return cells;
}

class PasswordListTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(openMainWindow());
    }

    HWND list() const { return listControl(state().pages[0]); }
    std::vector<PasswordEntry> rows() const { return collectEntries(list(), false); }

    void command(int id) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    void add(const std::string& user, const std::string& pass, const std::string& description)
    {
        SetDlgItemTextA(window, IDC_ADD_USER, user.c_str());
        SetDlgItemTextA(window, IDC_ADD_PASS, pass.c_str());
        SetDlgItemTextA(window, IDC_ADD_DESCRIPTION, description.c_str());
        command(IDC_ADD);
    }

    void select(std::initializer_list<int> indices)
    {
        ListView_SetItemState(list(), -1, 0, LVIS_SELECTED);
        for (int index : indices) ListView_SetItemState(list(), index, LVIS_SELECTED, LVIS_SELECTED);
        pumpFor(30);
    }

    void clickHeader(int index)
    {
        HWND header = ListView_GetHeader(list());
        RECT item;
        Header_GetItemRect(header, index, &item);
        testing::clickAt(header, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        // Two clicks in quick succession would make a double click.
        pumpFor(static_cast<int>(GetDoubleClickTime()) + 100);
    }

    // What the list holds counts as saved: these tests load files, and the
    // question about unsaved changes has tests of its own.
    void forgetChanges() { state().list.markUnmodified(); }

    // Loads a list file and reports the message shown.
    std::string loadAnswering(const std::string& path, const std::string& messageTitle)
    {
        forgetChanges();
        auto text = std::make_shared<std::string>();
        EXPECT_EQ(commandAnswered(ID_FILE_LOAD_LIST,
                                  {chooseFileIn("Open file", path), readMessageIn(messageTitle, text)}),
                  2u);
        return *text;
    }

    // Loads a list file that must load without a word: a warning or an error
    // within a few seconds fails the test (and is closed, so the test goes on).
    void loadQuietly(const std::string& path)
    {
        constexpr int kWaitMs = 3000;
        forgetChanges();
        auto warning = std::make_shared<std::string>();
        auto error = std::make_shared<std::string>();
        DialogResponder file({chooseFileIn("Open file", path)});
        DialogResponder warnings({readMessageIn("Warning", warning)}, GetCurrentProcessId(), kWaitMs);
        DialogResponder errors({readMessageIn("Error", error)}, GetCurrentProcessId(), kWaitMs);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(ID_FILE_LOAD_LIST, 0), 0);
        EXPECT_EQ(file.finish(), 1u);
        EXPECT_EQ(warnings.finish(), 0u) << *warning;
        EXPECT_EQ(errors.finish(), 0u) << *error;
        pumpFor(50);
    }

    // Saved as a plain list file, which Save As asks about first.
    void save(const std::string& path)
    {
        EXPECT_EQ(commandAnswered(ID_FILE_SAVE_LIST,
                                  {chooseFileIn("Save file", path), pressButtonIn("Warning", IDYES)}),
                  2u);
    }
};

TEST_F(PasswordListTest, AddWarnsWithOneLinePerMissingFieldAndAddsNothing)
{
    auto text = std::make_shared<std::string>();
    EXPECT_EQ(commandAnswered(IDC_ADD, {readMessageIn("Warning", text)}), 1u);
    EXPECT_EQ(*text, "You must insert a user name.\nYou must insert a password.");

    SetDlgItemTextA(window, IDC_ADD_USER, "someone");
    EXPECT_EQ(commandAnswered(IDC_ADD, {readMessageIn("Warning", text)}), 1u);
    EXPECT_EQ(*text, "You must insert a password.");
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(state().imageOutOfDate);
}

TEST_F(PasswordListTest, AddAppendsLastAndCleanTextDecidesWhetherTheAddPaneEmpties)
{
    showPage(window, 1);
    add("carol", "pw1", "");
    EXPECT_EQ(state().currentPage, state().pages[0]);
    EXPECT_TRUE(state().imageOutOfDate);
    EXPECT_EQ(dialogItemText(window, IDC_ADD_USER), "carol");
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_ADD_USER));

    CheckDlgButton(window, IDC_CLEAN_TEXT, BST_CHECKED);
    add("alice", "pw2", "mail");
    for (int id : {IDC_ADD_USER, IDC_ADD_PASS, IDC_ADD_DESCRIPTION}) EXPECT_EQ(dialogItemText(window, id), "") << id;
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_ADD_USER));

    const std::vector<PasswordEntry> expected{{"carol", "pw1", ""}, {"alice", "pw2", "mail"}};
    EXPECT_EQ(rows(), expected);
}

TEST_F(PasswordListTest, SelectPaneFollowsOneSeveralOrNoSelectedRows)
{
    add("u0", "p0", "d0");
    add("u1", "p1", "d1");
    add("u2", "p2", "d2");
    const int pane[] = {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION, IDC_SHOW_SELECT, IDC_REFRESH};

    select({1});
    for (int id : pane) EXPECT_TRUE(enabled(window, id)) << id;
    EXPECT_TRUE(enabled(window, IDC_DELETE));
    EXPECT_EQ(dialogItemText(window, IDC_SELECT_USER), "u1");
    EXPECT_EQ(dialogItemText(window, IDC_SELECT_PASS), "p1");
    EXPECT_EQ(dialogItemText(window, IDC_SELECT_DESCRIPTION), "d1");

    select({2, 0});
    for (int id : pane) EXPECT_FALSE(enabled(window, id)) << id;
    EXPECT_TRUE(enabled(window, IDC_DELETE));
    EXPECT_EQ(dialogItemText(window, IDC_SELECT_USER), "u0");

    select({});
    for (int id : pane) EXPECT_FALSE(enabled(window, id)) << id;
    EXPECT_FALSE(enabled(window, IDC_DELETE));
    for (int id : {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION}) {
        EXPECT_EQ(dialogItemText(window, id), "") << id;
    }
}

TEST_F(PasswordListTest, RefreshWritesTheSelectPaneBackAndDeleteRemovesEverySelectedRow)
{
    for (const char* user : {"u0", "u1", "u2", "u3"}) add(user, "p", "d");
    state().imageOutOfDate = false;

    select({1});
    SetDlgItemTextA(window, IDC_SELECT_USER, "");
    SetDlgItemTextA(window, IDC_SELECT_PASS, "new pass");
    command(IDC_REFRESH);
    EXPECT_EQ(rows()[1], (PasswordEntry{"", "new pass", "d"}));

    // Delete asks, and No keeps every row.
    select({0, 2});
    auto question = std::make_shared<std::string>();
    EXPECT_EQ(commandAnswered(IDC_DELETE, {readMessageIn("Delete", question, IDNO)}), 1u);
    EXPECT_EQ(*question, "Delete 2 entries?");
    EXPECT_EQ(rows().size(), 4u);

    // Yes deletes them and selects the row after the last one deleted.
    EXPECT_EQ(commandAnswered(IDC_DELETE, {pressButtonIn("Delete", IDYES)}), 1u);
    EXPECT_EQ(column(rows(), 0), (std::vector<std::string>{"", "u3"}));
    EXPECT_EQ(selectedRows(list()), (std::vector<int>{1}));
    EXPECT_EQ(dialogItemText(window, IDC_SELECT_USER), "u3");

    // The Delete key in the list acts as the button, and a last row gives
    // its place to the one before it.
    SetForegroundWindow(window);
    SetFocus(list());
    DialogResponder responder({readMessageIn("Delete", question, IDYES)});
    testing::pressKey(VK_DELETE, false);
    testing::pressKey(VK_DELETE, true);
    EXPECT_EQ(responder.finish(), 1u);
    EXPECT_EQ(*question, "Delete the entry of \"u3\"?");
    EXPECT_TRUE(testing::pumpUntil([&] { return rows().size() == 1; }));
    EXPECT_EQ(column(rows(), 0), (std::vector<std::string>{""}));
    EXPECT_EQ(selectedRows(list()), (std::vector<int>{0}));
    EXPECT_FALSE(state().imageOutOfDate);
}

TEST_F(PasswordListTest, LeavingARowWithAnUnappliedEditAsksAndEachAnswerDoesItsWork)
{
    for (const char* user : {"alice", "bob", "carol"}) add(user, "p", "d");
    select({1});
    SetDlgItemTextA(window, IDC_SELECT_DESCRIPTION, "changed");

    // Cancel: back on bob, the edit still in the pane.
    DialogResponder cancel({pressButtonIn("Select", IDCANCEL)});
    select({2});
    EXPECT_EQ(cancel.finish(), 1u);
    pumpFor(50);
    EXPECT_EQ(selectedRows(list()), (std::vector<int>{1}));
    EXPECT_EQ(dialogItemText(window, IDC_SELECT_DESCRIPTION), "changed");
    EXPECT_EQ(rows()[1].description, "d");

    // Yes applies it to bob, then the pane follows the click.
    auto question = std::make_shared<std::string>();
    DialogResponder yes({readMessageIn("Select", question, IDYES)});
    select({2});
    EXPECT_EQ(yes.finish(), 1u);
    EXPECT_EQ(*question, "Apply the changes to \"bob\"?");
    EXPECT_EQ(rows()[1].description, "changed");
    EXPECT_EQ(dialogItemText(window, IDC_SELECT_USER), "carol");

    // No drops it.
    SetDlgItemTextA(window, IDC_SELECT_USER, "caroline");
    DialogResponder no({pressButtonIn("Select", IDNO)});
    select({0});
    EXPECT_EQ(no.finish(), 1u);
    EXPECT_EQ(rows()[2].user, "carol");
    EXPECT_EQ(dialogItemText(window, IDC_SELECT_USER), "alice");

    // Enter in the pane applies the edit: leaving asks nothing then.
    SetForegroundWindow(window);
    SetFocus(GetDlgItem(window, IDC_SELECT_PASS));
    SetDlgItemTextA(window, IDC_SELECT_PASS, "new");
    testing::pressKey(VK_RETURN, false);
    testing::pressKey(VK_RETURN, true);
    pumpFor(100);
    EXPECT_EQ(rows()[0].pass, "new");
    select({1});
    EXPECT_EQ(dialogItemText(window, IDC_SELECT_USER), "bob");
    EXPECT_FALSE(testing::findTopLevelWindow("Select"));

    // F2 and Enter on the list, and a double-click on a row, go to edit it.
    for (WORD key : {WORD(VK_F2), WORD(VK_RETURN)}) {
        SetFocus(list());
        pumpFor(30);
        testing::pressKey(key, false);
        testing::pressKey(key, true);
        pumpFor(100);
        EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_SELECT_USER)) << key;
    }
    RECT row{};
    ListView_GetItemRect(list(), 2, &row, LVIR_BOUNDS);
    const POINT inRow{row.left + 40, (row.top + row.bottom) / 2};
    testing::clickAt(list(), inRow);
    testing::clickAt(list(), inRow);
    pumpFor(100);
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_SELECT_USER));
    EXPECT_EQ(dialogItemText(window, IDC_SELECT_USER), "carol");
}

TEST_F(PasswordListTest, SelectAllAndDeleteKeysWorkFromTheListAndButtonsButLeaveEditFieldsTheirOwn)
{
    for (const char* user : {"u0", "u1", "u2"}) add(user, "p", "d");
    const auto press = [&](HWND focus, WORD key, bool control) {
        SetForegroundWindow(window);
        SetFocus(focus);
        pumpFor(30);
        if (control) testing::pressKey(VK_CONTROL, false);
        testing::pressKey(key, false);
        testing::pressKey(key, true);
        if (control) testing::pressKey(VK_CONTROL, true);
        pumpFor(150);
    };
    for (HWND focus : {list(), GetDlgItem(window, IDC_EXIT)}) {
        select({});
        press(focus, 'A', true);
        EXPECT_EQ(ListView_GetSelectedCount(list()), 3u);
        DialogResponder responder({pressButtonIn("Delete", IDNO)});
        press(focus, VK_DELETE, false);
        EXPECT_EQ(responder.finish(), 1u);
        EXPECT_EQ(rows().size(), 3u);
    }

    // In an edit field Ctrl+A selects its text and Del deletes a character.
    select({});
    HWND field = GetDlgItem(window, IDC_ADD_DESCRIPTION);
    SetWindowTextA(field, "note");
    press(field, 'A', true);
    EXPECT_EQ(ListView_GetSelectedCount(list()), 0u);
    press(field, VK_DELETE, false);
    EXPECT_EQ(dialogItemText(window, IDC_ADD_DESCRIPTION), "");
    EXPECT_FALSE(testing::findTopLevelWindow("Delete"));
    EXPECT_EQ(rows().size(), 3u);
}

TEST_F(PasswordListTest, HeaderClicksSortEachColumnAscendingThenDescendingByUnsignedBytes)
{
    add("abc", "2", "");
    add("ABD", "3", "");
    add("ab", "1", "");
    add("\xC3\xA9t\xC3\xA9", "0", "");

    clickHeader(0);
    EXPECT_EQ(column(rows(), 0), (std::vector<std::string>{"ABD", "ab", "abc", "\xC3\xA9t\xC3\xA9"}));
    clickHeader(0);
    EXPECT_EQ(column(rows(), 0), (std::vector<std::string>{"\xC3\xA9t\xC3\xA9", "abc", "ab", "ABD"}));
    // Another column starts ascending, whatever happened to the first.
    clickHeader(1);
    EXPECT_EQ(column(rows(), 1), (std::vector<std::string>{"0", "1", "2", "3"}));
    clickHeader(0);
    EXPECT_EQ(column(rows(), 0), (std::vector<std::string>{"ABD", "ab", "abc", "\xC3\xA9t\xC3\xA9"}));
}

TEST_F(PasswordListTest, SelectionGoesWithItsRowsThroughASortAndTheSelectPaneKeepsItsEdits)
{
    add("c", "3", "");
    add("a", "1", "");
    add("b", "2", "");
    select({0, 2});
    select({0});
    SetDlgItemTextA(window, IDC_SELECT_DESCRIPTION, "being edited");
    clickHeader(0);
    EXPECT_EQ(column(rows(), 0), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ListView_GetNextItem(list(), -1, LVNI_SELECTED), 2) << "the row of \"c\" is still the selected one";
    EXPECT_EQ(ListView_GetSelectedCount(list()), 1u);
    EXPECT_EQ(dialogItemText(window, IDC_SELECT_DESCRIPTION), "being edited");

    // A second row selected leaves the edit: asked, and dropped.
    DialogResponder responder({pressButtonIn("Select", IDNO)});
    ListView_SetItemState(list(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(responder.finish(), 1u);
    EXPECT_EQ(dialogItemText(window, IDC_SELECT_DESCRIPTION), "");

    // A range chosen with Shift and a click is one notification: the pane hears it.
    SetFocus(list());
    testing::pumpFor(50);
    RECT last{};
    ListView_GetItemRect(list(), 2, &last, LVIR_BOUNDS);
    testing::pressKey(VK_SHIFT, false);
    testing::clickAt(list(), POINT{last.left + 40, (last.top + last.bottom) / 2});
    testing::pressKey(VK_SHIFT, true);
    pumpFor(100);
    EXPECT_EQ(ListView_GetSelectedCount(list()), 3u);
    EXPECT_FALSE(enabled(window, IDC_REFRESH)) << "several rows: nothing to refresh";
    EXPECT_TRUE(enabled(window, IDC_DELETE));
}

TEST_F(PasswordListTest, SavedFileHoldsTheDisplayedRowsByteForByteAndLoadsBackInOrder)
{
    add("zed", "pw", "");
    add("amy", "s3cr3t!", "bank: \"main\"");
    std::string printable;
    for (int c = 0x20; c < 0x7F; ++c) printable += static_cast<char>(c);
    add("~all", printable.substr(0, 35), printable);
    clickHeader(0);

    const std::string path = folder.file("list.slc");
    save(path);
    const std::string expected = record("amy", "s3cr3t!", "bank: \"main\"") + record("zed", "pw", "") +
                                 record("~all", printable.substr(0, 35), printable);
    EXPECT_EQ(readFile(path), expected);

    const auto before = rows();
    EXPECT_EQ(commandAnswered(ID_FILE_NEW, {pressButtonIn("New", IDYES)}), 1u);
    EXPECT_TRUE(rows().empty());
    loadQuietly(path);
    EXPECT_EQ(rows(), before);
}

TEST_F(PasswordListTest, LongFieldsLoadAndSaveWholeAndZeroBytesCutTheirField)
{
    const std::string longText(300, 'L');
    const std::string source = record(longText, "p", std::string("before\0after", 12)) + record("next", "", "");
    const std::string path = folder.file("made elsewhere.slc");
    testing::writeFile(path, source);
    loadQuietly(path);
    const std::vector<PasswordEntry> expected{{longText, "p", "before"}, {"next", "", ""}};
    EXPECT_EQ(rows(), expected);

    // Shown whole in the Select pane, so Refresh keeps it whole; typing stops
    // at 254 characters.
    select({0});
    EXPECT_EQ(testing::dialogItemText(window, IDC_SELECT_USER), longText);
    SendMessageA(window, WM_COMMAND, IDC_REFRESH, 0);
    EXPECT_EQ(rows(), expected);
    for (int id : {IDC_ADD_USER, IDC_ADD_DESCRIPTION, IDC_SELECT_USER, IDC_SELECT_DESCRIPTION}) {
        EXPECT_EQ(SendDlgItemMessageA(window, id, EM_GETLIMITTEXT, 0, 0), 254) << id;
    }

    const std::string copy = folder.file("copy.slc");
    save(copy);
    EXPECT_EQ(readFile(copy), record(longText, "p", "before") + record("next", "", ""));
}

TEST_F(PasswordListTest, ALongListLoadsBehindTheProgressWindowAndCancelLeavesEverythingAsItWas)
{
    add("old", "row", "kept");
    add("second", "pw", "");
    const auto before = rows();
    state().pictures.plainImage = testing::flatPicture(4, 4, RGB(1, 2, 3));
    std::string file;
    std::vector<PasswordEntry> entries;
    for (int i = 0; i < 20500; ++i) {
        entries.push_back({"user" + std::to_string(i), "pass" + std::to_string(i), "entry"});
        file += record(entries.back().user, std::string(entries.back().pass), entries.back().description);
    }
    const std::string path = folder.file("long.slc");
    testing::writeFile(path, file);

    forgetChanges();
    EXPECT_EQ(commandAnswered(ID_FILE_LOAD_LIST,
                              {chooseFileIn("Open file", path), pressButtonIn("Please wait...", IDC_CANCEL)}),
              2u);
    EXPECT_EQ(rows(), before);
    EXPECT_TRUE(state().pictures.plainImage) << "the picture stays after a Cancel";

    EXPECT_EQ(commandAnswered(ID_FILE_LOAD_LIST, {chooseFileIn("Open file", path)}), 1u);
    testing::pumpUntil([&] { return !progressWindow() && IsWindowEnabled(window); });
    EXPECT_EQ(rows(), entries);
    EXPECT_FALSE(state().pictures.plainImage);
}

TEST_F(PasswordListTest, EmptyFileLoadsAnEmptyListWithoutAMessage)
{
    add("old", "row", "");
    const std::string path = folder.file("empty.slc");
    testing::writeFile(path, "");
    loadQuietly(path);
    pumpFor(200);
    EXPECT_FALSE(testing::findTopLevelWindow("Warning"));
    EXPECT_FALSE(testing::findTopLevelWindow("Error"));
    EXPECT_TRUE(rows().empty());
}

TEST_F(PasswordListTest, DamagedFileLoadsTheWholeRecordsBeforeTheDamageAndSaysHowMany)
{
    add("old", "row", "");
    const std::string path = folder.file("damaged.slc");
    std::string bytes = record("first", "1", "") + record("second", "2", "");
    bytes += field("third") + std::string("\x40\x00\x00\x00short", 9);
    testing::writeFile(path, bytes);
    EXPECT_EQ(loadAnswering(path, "Warning"), "The list file is damaged. Entries read before the damage: 2.");
    const std::vector<PasswordEntry> expected{{"first", "1", ""}, {"second", "2", ""}};
    EXPECT_EQ(rows(), expected);
}

TEST_F(PasswordListTest, FileThatCannotBeOpenedIsReportedAndTheListStays)
{
    add("kept", "row", "");
    const std::string path = folder.file("locked.slc");
    testing::writeFile(path, record("other", "x", ""));
    // Another program holds the file open without sharing.
    FileHandle lock(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    EXPECT_EQ(loadAnswering(path, "Error"), "The file could not be opened.");
    EXPECT_EQ(rows(), (std::vector<PasswordEntry>{{"kept", "row", ""}}));
}

}  // namespace
}  // namespace tessaly
