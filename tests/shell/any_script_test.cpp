// Text in any script through the main window: typed as a keyboard of another
// language types it, kept protected, found, refused by the plain form, and
// the files of earlier versions read byte for byte.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "cipher/system_crypto.h"
#include "formats/list_file.h"
#include "formats/protected_list_file.h"
#include "platform/text_codec.h"
#include "shell/password_list.h"
#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

using testing::chooseFileIn;
using testing::DialogStep;
using testing::readFile;

// "山田太郎", "Пароль-7" and "Bank 🔑" as UTF-8, the programs' text.
const std::string kJapanese = "\xE5\xB1\xB1\xE7\x94\xB0\xE5\xA4\xAA\xE9\x83\x8E";
const std::string kCyrillic = "\xD0\x9F\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C-7";
const std::string kEmoji = "Bank \xF0\x9F\x94\x91";
constexpr char kPassphrase[] = "long enough passphrase";

// Characters as a keyboard of their language sends them: one keystroke
// each, a character beyond the first 65,536 as its two halves.
void typeUnicode(HWND field, const std::wstring& text)
{
    SetFocus(field);
    std::vector<INPUT> inputs;
    for (wchar_t unit : text) {
        for (bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    testing::pumpFor(300);
}

class AnyScriptTest : public MainWindowTest {
protected:
    bool open()
    {
        if (!openMainWindow()) return false;
        SetForegroundWindow(window);
        return true;
    }

    std::vector<PasswordEntry> rows() const { return collectEntries(listControl(page(kListPage)), false); }

    void showAsLoaded(const std::vector<PasswordEntry>& entries)
    {
        clearEntries(page(kListPage));
        appendEntries(page(kListPage), entries);
        state().list.markUnmodified();
    }

    size_t loadAnswered(const std::string& path, std::vector<DialogStep> more = {})
    {
        more.insert(more.begin(), chooseFileIn("Open file", path));
        const size_t answered = commandAnswered(ID_FILE_LOAD_LIST, std::move(more));
        testing::pumpUntil([&] { return !progressWindow() && IsWindowEnabled(window); });
        return answered;
    }
};

TEST_F(AnyScriptTest, ThreeScriptsTypedWithRealKeysAreKeptProtectedAndComeBackExact)
{
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest's code page";
    ASSERT_TRUE(open());
    typeUnicode(GetDlgItem(window, IDC_ADD_USER), L"\x5C71\x7530\x592A\x90CE");
    typeUnicode(GetDlgItem(window, IDC_ADD_PASS), L"\x41F\x430\x440\x43E\x43B\x44C-7");
    typeUnicode(GetDlgItem(window, IDC_ADD_DESCRIPTION), L"Bank \xD83D\xDD11");
    EXPECT_EQ(testing::dialogItemText(window, IDC_ADD_PASS), kCyrillic) << "no decoy reached the field";
    SendMessageA(window, WM_COMMAND, IDC_ADD, 0);
    const std::vector<PasswordEntry> typed{{kJapanese, kCyrillic, kEmoji}};
    ASSERT_EQ(rows(), typed);

    // "список.slp": a file name in the same script.
    const std::string path = folder.file("\xD1\x81\xD0\xBF\xD0\xB8\xD1\x81\xD0\xBE\xD0\xBA.slp");
    EXPECT_EQ(commandAnswered(ID_FILE_SAVE_LIST, {chooseFileIn("Save file", path),
                                                  testing::fillTwiceIn("Protect the list", IDC_PASSWORD,
                                                                       IDC_PASSWORD_REPEAT, kPassphrase, IDC_OK)}),
              2u);
    testing::pumpUntil([&] { return !progressWindow(); });
    ProtectedListParts parts;
    const std::string file = readFile(path);
    ASSERT_EQ(readProtectedList(file, parts), HeaderStatus::Read);
    EXPECT_EQ(parts.version, kProtectedListVersion);

    showAsLoaded({});
    EXPECT_EQ(loadAnswered(path, {testing::fillIn("Open the protected list", IDC_PASSWORD, kPassphrase, IDC_OK)}), 2u);
    EXPECT_EQ(rows(), typed);
}

TEST_F(AnyScriptTest, AnExportInUtf8ImportsBackExact)
{
    ASSERT_TRUE(open());
    const std::vector<PasswordEntry> entries{{kJapanese, kCyrillic, kEmoji}};
    showAsLoaded(entries);
    const std::string exported = folder.file("export.csv");
    EXPECT_EQ(commandAnswered(ID_FILE_EXPORT_CSV,
                              {testing::pressButtonIn("Warning", IDYES), chooseFileIn("Save file", exported)}),
              2u);
    const std::string bytes = readFile(exported);
    for (const std::string* text : {&kJapanese, &kCyrillic, &kEmoji}) {
        EXPECT_NE(bytes.find(*text), std::string::npos) << "as UTF-8";
    }
    showAsLoaded({});
    EXPECT_EQ(commandAnswered(ID_FILE_IMPORT_CSV,
                              {chooseFileIn("Open file", exported), testing::pressButtonIn("Import CSV", IDC_OK)}),
              2u);
    testing::pumpUntil([&] { return !progressWindow() && IsWindowEnabled(window); });
    EXPECT_EQ(rows(), entries);
}

TEST_F(AnyScriptTest, FindTakesAGreekWordInTheOtherCase)
{
    ASSERT_TRUE(open());
    // "Τράπεζα" in a description; "ΤΡΆΠΕΖΑ" asked for.
    showAsLoaded({{"anna", "x", "Mail"}, {"eleni", "y", "\xCE\xA4\xCF\x81\xCE\xAC\xCF\x80\xCE\xB5\xCE\xB6\xCE\xB1"}});
    const DialogStep find{"Find", [](HWND dialog) {
                              SetDlgItemTextW(dialog, IDC_FIND_TEXT, L"\x3A4\x3A1\x386\x3A0\x395\x396\x391");
                              testing::pressButton(dialog, IDC_OK);
                              testing::pressButton(dialog, IDC_CANCEL);
                          }};
    EXPECT_EQ(commandAnswered(ID_EDIT_FIND, {find}), 1u);
    EXPECT_EQ(testing::dialogItemText(window, IDC_SELECT_USER), "eleni");
}

TEST_F(AnyScriptTest, APlainSaveThatWouldLoseCharactersIsRefusedAndOffersTheProtectedForm)
{
    ASSERT_TRUE(open());
    showAsLoaded({{"amy", "plain", "Mail"}, {kJapanese, "pw", "Tokyo"}, {"olga", kCyrillic, ""}});
    const std::string plain = folder.file("list.slc");
    auto text = std::make_shared<std::string>();
    EXPECT_EQ(commandAnswered(ID_FILE_SAVE_LIST,
                              {chooseFileIn("Save file", plain), testing::readMessageIn("Warning", text, IDNO)}),
              2u);
    EXPECT_EQ(*text, "A plain list file keeps its text in this computer's code page, which lacks characters of 2 "
                     "entries:\r\n- Tokyo (its user name changed)\r\n- olga (its password changed and will not work "
                     "as it is)\r\n\r\nA protected list keeps every character. Save the list protected instead?");
    EXPECT_EQ(GetFileAttributesA(plain.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing written";

    // Yes: Save As again, with the protected list's name.
    auto offered = std::make_shared<std::string>();
    const DialogStep look{"Save file", [offered](HWND dialog) {
                              *offered = testing::dialogItemText(dialog, 0x47C);
                              testing::pressButton(dialog, IDOK);
                          }};
    EXPECT_EQ(commandAnswered(ID_FILE_SAVE_LIST,
                              {chooseFileIn("Save file", plain), testing::pressButtonIn("Warning", IDYES), look,
                               testing::fillTwiceIn("Protect the list", IDC_PASSWORD, IDC_PASSWORD_REPEAT, kPassphrase,
                                                    IDC_OK)}),
              4u);
    testing::pumpUntil([&] { return !progressWindow(); });
    EXPECT_NE(offered->find("list.slp"), std::string::npos) << *offered;
    EXPECT_EQ(readFile(folder.file("list.slp")).substr(0, 8), "TESSLIST");
    EXPECT_EQ(GetFileAttributesA(plain.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(AnyScriptTest, FilesOfEarlierVersionsReadAndSaveByteForByte)
{
    ASSERT_EQ(legacyCodePage(), 1252u) << "the test machine's system locale is Western";
    ASSERT_TRUE(open());
    // A plain list in the Western code page: "José", "contraseña", "café".
    const std::string earlier = encodeListFile({{"Jos\xE9",
                                                 "contrase\xF1"
                                                 "a",
                                                 "caf\xE9 \x80"}});
    const std::vector<PasswordEntry> shown{{"Jos\xC3\xA9",
                                            "contrase\xC3\xB1"
                                            "a",
                                            "caf\xC3\xA9 \xE2\x82\xAC"}};
    const std::string plain = folder.file("earlier.slc");
    testing::writeFile(plain, earlier);
    EXPECT_EQ(loadAnswered(plain), 1u);
    EXPECT_EQ(rows(), shown);
    SendMessageA(window, WM_COMMAND, ID_FILE_SAVE, 0);
    testing::pumpFor(100);
    EXPECT_EQ(readFile(plain), earlier) << "Save writes every byte as before";

    // A protected list of the first version kept the same bytes sealed.
    SealParameters parameters;
    SealKey key;
    ASSERT_TRUE(newListSeal(parameters));
    parameters.iterations = kMinSealIterations;
    ASSERT_TRUE(deriveListKey(kPassphrase, parameters, key));
    ASSERT_TRUE(systemRandomBytes(parameters.nonce.data(), parameters.nonce.size()));
    const std::string header = protectedListHeader(parameters, kFirstProtectedListVersion);
    std::string body = earlier;
    std::string tag(kSealTagSize, '\0');
    ASSERT_EQ(gcmEncrypt(GcmInput{key.bytes, parameters.nonce.data(), header}, reinterpret_cast<uint8_t*>(&body[0]),
                         body.size(), reinterpret_cast<uint8_t*>(&tag[0])),
              GcmResult::Done);
    const std::string sealed = folder.file("earlier.slp");
    testing::writeFile(sealed, header + body + tag);
    showAsLoaded({});
    EXPECT_EQ(loadAnswered(sealed, {testing::fillIn("Open the protected list", IDC_PASSWORD, kPassphrase, IDC_OK)}),
              2u);
    EXPECT_EQ(rows(), shown);
}

TEST_F(AnyScriptTest, TheRussianLanguageFileNamesTheMenusInCyrillic)
{
    std::string text = defaultSettingsText();
    text.replace(text.find("lang\\default.lang"), 17, "lang\\russian.lang");
    testing::writeFile(folder.file("conf.dat"), text);
    ASSERT_TRUE(open());
    // "&Файл" and "&Правка".
    EXPECT_EQ(testing::menuText(window, 0, true), "&\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB");
    EXPECT_EQ(testing::menuText(window, 1, true), "&\xD0\x9F\xD1\x80\xD0\xB0\xD0\xB2\xD0\xBA\xD0\xB0");
}

}  // namespace
}  // namespace tessaly
