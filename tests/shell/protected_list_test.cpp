#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "formats/list_file.h"
#include "formats/protected_list_file.h"
#include "shell/password_list.h"
#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

using testing::chooseFileIn;
using testing::DialogStep;
using testing::fillTwiceIn;
using testing::pressButtonIn;
using testing::readFile;
using testing::readMessageIn;

constexpr char kPassphrase[] = "se\xC3\xB1or secreto";

DialogStep typePasswordIn(const std::string& password)
{
    return testing::fillIn("Open the protected list", IDC_PASSWORD, password, IDC_OK);
}

class ProtectedListTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(openMainWindow());
        showAsLoaded(entries);
    }

    // The rows as if loaded from a file: no unsaved changes to ask about.
    void showAsLoaded(const std::vector<PasswordEntry>& rows)
    {
        clearEntries(state().pages[0]);
        for (const auto& entry : rows) appendEntry(state().pages[0], entry);
        state().list.markUnmodified();
    }

    std::vector<PasswordEntry> rows() const { return collectEntries(listControl(state().pages[0]), false); }

    void saveProtected(const std::string& path)
    {
        ASSERT_EQ(commandAnswered(ID_FILE_SAVE_LIST, {chooseFileIn("Save file", path),
                                                      fillTwiceIn("Protect the list", IDC_PASSWORD, IDC_PASSWORD_REPEAT,
                                                                  kPassphrase, IDC_OK)}),
                  2u);
        testing::pumpUntil([&] { return !progressWindow(); });
    }

    // Loads a damaged or wrongly opened file: one message, then the
    // password dialog is given up.
    std::string loadRefused(const std::string& path, std::vector<DialogStep> steps)
    {
        auto text = std::make_shared<std::string>();
        const bool asked = !steps.empty();
        steps.insert(steps.begin(), chooseFileIn("Open file", path));
        steps.push_back(readMessageIn(asked ? "Warning" : "Error", text));
        if (asked) steps.push_back(pressButtonIn("Open the protected list", IDC_CANCEL));
        EXPECT_EQ(commandAnswered(ID_FILE_LOAD_LIST, steps), steps.size()) << path;
        return *text;
    }

    const std::vector<PasswordEntry> entries = {{"ana", "p\xC3\xA1ss", "bank"},
                                                {"", "only password", ""},
                                                {"bob", "x", std::string(300, 'd')}};
};

TEST_F(ProtectedListTest, SavedProtectedListLoadsBackWithItsPassword)
{
    const std::string path = folder.file("list.slp");
    saveProtected(path);
    const std::string file = readFile(path);
    EXPECT_EQ(file.substr(0, 8), "TESSLIST");
    EXPECT_EQ(file.size(), 44 + encodeListFile(entries).size() + 16);
    EXPECT_EQ(file.find("only password"), std::string::npos);

    clearEntries(state().pages[0]);
    ASSERT_TRUE(rows().empty());
    EXPECT_EQ(commandAnswered(ID_FILE_LOAD_LIST, {chooseFileIn("Open file", path), typePasswordIn(kPassphrase)}), 2u);
    testing::pumpUntil([&] { return !rows().empty(); });
    EXPECT_EQ(rows(), entries);

    // Saved again, the same list gets a new salt and nonce.
    saveProtected(folder.file("again.slp"));
    EXPECT_NE(readFile(folder.file("again.slp")).substr(16, 28), file.substr(16, 28));
}

TEST_F(ProtectedListTest, WrongPasswordSaysSoAndAsksAgain)
{
    const std::string path = folder.file("list.slp");
    saveProtected(path);
    showAsLoaded({{"kept", "row", ""}});
    const auto before = rows();
    EXPECT_EQ(loadRefused(path, {typePasswordIn("senor secreto")}), "The password is wrong or the file is damaged.");
    EXPECT_EQ(rows(), before);
}

// A passphrase typed in any script, as the field holds it.
DialogStep typeWideIn(const std::string& title, const std::wstring& passphrase, bool twice)
{
    return {title, [=](HWND dialog) {
                SetDlgItemTextW(dialog, IDC_PASSWORD, passphrase.c_str());
                if (twice) SetDlgItemTextW(dialog, IDC_PASSWORD_REPEAT, passphrase.c_str());
                testing::pressButton(dialog, IDC_OK);
            }};
}

TEST_F(ProtectedListTest, APassphraseInAnyScriptSealsTheListAndNoOtherOfItsShapeOpensIt)
{
    const std::string path = folder.file("cyrillic.slp");
    ASSERT_EQ(commandAnswered(ID_FILE_SAVE_LIST,
                              {chooseFileIn("Save file", path), typeWideIn("Protect the list",
                                                                           L"\x43f\x430\x440\x43e\x43b\x44c-"
                                                                           L"\x43c\x43e\x441\x43a\x432\x430",
                                                                           true)}),
              2u);
    testing::pumpUntil([&] { return !progressWindow(); });
    showAsLoaded({{"kept", "row", ""}});
    const auto before = rows();

    // Another passphrase of the same shape once read as the same "?"s.
    const std::wstring other = L"\x441\x435\x43a\x440\x435\x442-\x43b\x43e\x43d\x434\x43e\x43d";
    EXPECT_EQ(loadRefused(path, {typeWideIn("Open the protected list", other, false)}),
              "The password is wrong or the file is damaged.");
    EXPECT_EQ(rows(), before);

    state().list.markUnmodified();
    EXPECT_EQ(commandAnswered(ID_FILE_LOAD_LIST,
                              {chooseFileIn("Open file", path),
                               typeWideIn("Open the protected list",
                                          L"\x43f\x430\x440\x43e\x43b\x44c-\x43c\x43e\x441\x43a\x432\x430", false)}),
              2u);
    testing::pumpUntil([&] { return rows() == entries; });
    EXPECT_EQ(rows(), entries);
}

TEST_F(ProtectedListTest, AFileSealedUnderACodePagePassphraseStillOpensWithIt)
{
    // As earlier versions sealed it: the passphrase's code-page bytes
    // ("\xF1") made UTF-8 ("\xC3\xB1") before the key was derived.
    const std::string path = folder.file("earlier.slp");
    ASSERT_EQ(saveProtectedList(path, entries, "se\xC3\xB1or secreto"), ProtectedListResult::Done);
    showAsLoaded({});
    EXPECT_EQ(commandAnswered(ID_FILE_LOAD_LIST, {chooseFileIn("Open file", path), typePasswordIn(kPassphrase)}), 2u);
    testing::pumpUntil([&] { return !rows().empty(); });
    EXPECT_EQ(rows(), entries);
}

TEST_F(ProtectedListTest, TheDerivationMovesTheBarAndCancelEndsTheOpeningWithoutAWord)
{
    // The most iterations a file may name: the longest derivation there is.
    SealParameters parameters;
    ASSERT_TRUE(newListSeal(parameters));
    parameters.iterations = kMaxSealIterations;
    SealKey key;
    ASSERT_TRUE(deriveListKey("se\xC3\xB1or secreto", parameters, key));
    const std::string path = folder.file("slow.slp");
    ASSERT_EQ(saveProtectedList(path, entries, key, parameters), ProtectedListResult::Done);
    showAsLoaded({{"kept", "row", ""}});
    const auto before = rows();

    auto moving = std::make_shared<bool>(false);
    const DialogStep cancel{"Please wait...", [moving](HWND progress) {
                                HWND bar = GetDlgItem(progress, IDC_PROGRESS_BAR);
                                for (int i = 0; i < 100 && !*moving; ++i) {
                                    *moving = (GetWindowLongPtrA(bar, GWL_STYLE) & PBS_MARQUEE) != 0;
                                    Sleep(20);
                                }
                                testing::pressButton(progress, IDC_CANCEL);
                            }};
    EXPECT_EQ(commandAnswered(ID_FILE_LOAD_LIST,
                              {chooseFileIn("Open file", path), typePasswordIn(kPassphrase), cancel}),
              3u);
    EXPECT_TRUE(testing::pumpUntil([&] { return !progressWindow() && IsWindowEnabled(window); }));
    EXPECT_TRUE(*moving) << "the bar moves while the key is derived";
    EXPECT_EQ(rows(), before);
    EXPECT_FALSE(testing::findTopLevelWindow("Error"));
    EXPECT_FALSE(testing::findTopLevelWindow("Warning"));
}

TEST_F(ProtectedListTest, ChangedOrShortenedFilesAreRefusedAndTheListStays)
{
    const std::string path = folder.file("list.slp");
    saveProtected(path);
    const std::string file = readFile(path);
    const auto before = rows();
    struct Case {
        std::string bytes;
        bool asksPassword;
    };
    auto flipped = [&](size_t at) {
        std::string bytes = file;
        bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
        return bytes;
    };
    const Case cases[] = {
        {flipped(0), false},               // magic: a plain list's bytes under a protected name
        {flipped(15), false},              // iterations out of bounds
        {flipped(20), true},               // salt
        {flipped(50), true},               // sealed list
        {flipped(file.size() - 1), true},  // tag
        {file.substr(0, file.size() - 1), true},
        {file.substr(0, 59), false},
    };
    for (const auto& test : cases) {
        const std::string changed = folder.file("changed.slp");
        testing::writeFile(changed, test.bytes);
        const std::string message = test.asksPassword ? loadRefused(changed, {typePasswordIn(kPassphrase)})
                                                      : loadRefused(changed, {});
        EXPECT_EQ(message, test.asksPassword ? "The password is wrong or the file is damaged."
                                             : "The protected list file is damaged and cannot be opened.");
        EXPECT_EQ(rows(), before);
    }
}

TEST_F(ProtectedListTest, OkWaitsForTwoEqualPassphrasesOfEightAndCancelWritesNothing)
{
    const std::string path = folder.file("list.slp");
    auto states = std::make_shared<std::vector<bool>>();
    const DialogStep tryPasswords{"Protect the list", [states](HWND dialog) {
                                      auto both = [&](const char* first, const char* second) {
                                          SetDlgItemTextA(dialog, IDC_PASSWORD, first);
                                          SetDlgItemTextA(dialog, IDC_PASSWORD_REPEAT, second);
                                          states->push_back(IsWindowEnabled(GetDlgItem(dialog, IDC_OK)) != FALSE);
                                      };
                                      both("1234567", "1234567");
                                      both("12345678", "12345679");
                                      both("12345678", "12345678");
                                      states->push_back(
                                          SendDlgItemMessageA(dialog, IDC_PASSWORD, EM_GETLIMITTEXT, 0, 0) == 254);
                                      testing::pressButton(dialog, IDC_CANCEL);
                                  }};
    EXPECT_EQ(commandAnswered(ID_FILE_SAVE_LIST, {chooseFileIn("Save file", path), tryPasswords}), 2u);
    EXPECT_EQ(*states, (std::vector<bool>{false, false, true, true}));
    EXPECT_FALSE(testing::fileExists(path));

    // Cancel while the key is derived: the sealed list is dropped unwritten.
    EXPECT_EQ(commandAnswered(ID_FILE_SAVE_LIST,
                              {chooseFileIn("Save file", path),
                               fillTwiceIn("Protect the list", IDC_PASSWORD, IDC_PASSWORD_REPEAT, kPassphrase, IDC_OK),
                               pressButtonIn("Please wait...", IDC_CANCEL)}),
              3u);
    testing::pumpUntil([&] { return !progressWindow(); });
    EXPECT_FALSE(testing::fileExists(path));
}

}  // namespace
}  // namespace tessaly
