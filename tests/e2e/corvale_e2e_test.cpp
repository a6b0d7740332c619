// Runs the built Corvale.exe as its own process from a fresh folder and drives
// it through its windows' titles and fixed ids, as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

#include "formats/protected_list_file.h"
#include "resources/corvale_ids.h"
#include "platform/win32_handles.h"
#include "tests/support/gui_test.h"
#include "tests/support/program_process.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

using testing::DialogResponder;
using testing::pressButtonIn;
using testing::readFile;

// The program folder under test: the build's, or another one named by
// TESSALY_PROGRAM_DIR (an unpacked release, say).
std::string programDir()
{
    const char* other = std::getenv("TESSALY_PROGRAM_DIR");
    return other && *other ? other : TESSALY_BIN_DIR;
}
const std::string kBinDir = programDir();
const std::string kSourceDir = TESSALY_SOURCE_DIR;
constexpr int kTimeoutMs = testing::ProgramProcess::kTimeoutMs;

// Corvale.exe in its folder.
class CorvaleProcess : public testing::ProgramProcess {
public:
    explicit CorvaleProcess(const std::string& folder) : ProgramProcess(folder + "\\Corvale.exe") {}
};

class CorvaleEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        fs::copy_file(kBinDir + "/Corvale.exe", folder.file("Corvale.exe"));
        fs::create_directory(folder.file("lang"));
        for (const auto& entry : fs::directory_iterator(kBinDir + "/lang")) {
            fs::copy_file(entry.path(), fs::path(folder.file("lang")) / entry.path().filename());
        }
    }

    std::string defaultSettings() const { return readFile(kSourceDir + "/resources/default_settings.dat"); }
    std::string settingsFile() const { return folder.file("conf.dat"); }
    // The settings a saved exit wrote, less the one line that says where the
    // window was (the test fails without it).
    std::string settingsWithoutWindowPlace() const
    {
        std::string text = readFile(settingsFile());
        const size_t at = text.find("main_window=");
        EXPECT_NE(at, std::string::npos) << "the window's place is kept";
        if (at != std::string::npos) text.erase(at, text.find("\r\n", at) + 2 - at);
        return text;
    }

    // Closes the main window through the exit question, answered Yes (or,
    // about unsaved changes, No: leave without saving).
    long exitThroughTheQuestion(const CorvaleProcess& corvale, HWND mainWindow, const std::string& questionTitle)
    {
        const int answer = questionTitle == "Unsaved changes" ? IDNO : IDYES;
        DialogResponder responder({pressButtonIn(questionTitle, answer)}, corvale.id(), kTimeoutMs);
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        EXPECT_EQ(responder.finish(), 1u);
        return corvale.waitForExit();
    }

    void expectNoPasswordLeftAfter(const std::function<void(const CorvaleProcess&, HWND)>& leave);

    testing::TempFolder folder;
};

TEST_F(CorvaleEndToEnd, FirstRunCreatesSettingsAndExitsWith153)
{
    CorvaleProcess corvale(folder.path());
    ASSERT_TRUE(corvale.started());
    HWND mainWindow = corvale.waitForWindow("Tessaly - List");
    ASSERT_TRUE(mainWindow);
    EXPECT_EQ(readFile(settingsFile()), defaultSettings());

    // Closing answered No leaves the program running.
    {
        DialogResponder responder({pressButtonIn("Exit", IDNO)}, corvale.id(), kTimeoutMs);
        PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(ID_FILE_EXIT, 0), 0);
        EXPECT_EQ(responder.finish(), 1u);
    }
    Sleep(200);
    EXPECT_TRUE(corvale.running());

    EXPECT_EQ(exitThroughTheQuestion(corvale, mainWindow, "Exit"), 153);
    EXPECT_EQ(settingsWithoutWindowPlace(), defaultSettings());
    // Nothing but the settings file is left beside the program.
    EXPECT_EQ(testing::listFolder(folder.path()), "Corvale.exe\nconf.dat\nlang\n");
}

TEST_F(CorvaleEndToEnd, HandAddedKeySurvivesASavedExitInItsPlace)
{
    std::string settings = defaultSettings();
    settings.insert(settings.find("fontsize="), "my_own_key=keep me\r\n");
    testing::writeFile(settingsFile(), settings);
    CorvaleProcess corvale(folder.path());
    HWND mainWindow = corvale.waitForWindow("Tessaly - List");
    ASSERT_TRUE(mainWindow);
    EXPECT_EQ(exitThroughTheQuestion(corvale, mainWindow, "Exit"), 153);
    EXPECT_EQ(settingsWithoutWindowPlace(), settings);
}

TEST_F(CorvaleEndToEnd, SpanishChosenAtStartUpIsShownAndRemembered)
{
    std::string settings = defaultSettings();
    settings.replace(settings.find("lang\\default.lang"), 17, "lang\\gone.lang");
    testing::writeFile(settingsFile(), settings);
    // Without the shipped language to fall back on, the user is asked.
    std::filesystem::remove(folder.file("lang/default.lang"));
    const std::string spanish = folder.path() + "\\lang\\spanish.lang";

    CorvaleProcess corvale(folder.path());
    DialogResponder responder({pressButtonIn("Error", IDOK), testing::chooseFileIn("Open file", spanish)}, corvale.id(),
                              kTimeoutMs);
    EXPECT_EQ(responder.finish(), 2u);
    HWND mainWindow = corvale.waitForWindow("Tessaly - Lista");
    ASSERT_TRUE(mainWindow);
    EXPECT_EQ(exitThroughTheQuestion(corvale, mainWindow, "Salir"), 153);

    std::string expected = settings;
    expected.replace(expected.find("lang\\gone.lang"), 14, spanish);
    EXPECT_STRCASEEQ(settingsWithoutWindowPlace().c_str(), expected.c_str());
}

TEST_F(CorvaleEndToEnd, CancelledLanguageChoiceEndsWithoutSavingSettings)
{
    std::string settings = defaultSettings();
    settings.replace(settings.find("lang\\default.lang"), 17, "");
    settings.insert(0, "font=Verdana\r\n");
    testing::writeFile(settingsFile(), settings);
    std::filesystem::remove(folder.file("lang/default.lang"));
    CorvaleProcess corvale(folder.path());
    DialogResponder responder({pressButtonIn("Error", IDOK), pressButtonIn("Open file", IDCANCEL)}, corvale.id(),
                              kTimeoutMs);
    EXPECT_EQ(responder.finish(), 2u);
    EXPECT_EQ(corvale.waitForExit(), 153);
    EXPECT_EQ(readFile(settingsFile()), settings);
}

// ImageMagick writes the photo before this test and compares the saved file
// with it afterwards (photo_round_trip).
TEST_F(CorvaleEndToEnd, PhotoLoadedAsBmpIsSavedAgain)
{
    // Typed into the file dialogs, so with the separators they expect.
    std::string photoDir = TESSALY_PHOTO_DIR;
    std::replace(photoDir.begin(), photoDir.end(), '/', '\\');
    if (!std::filesystem::exists(photoDir + "\\photo.bmp")) GTEST_SKIP() << "PhotoRoundTrip.Make writes the photo";
    // A file left by an earlier run would make the save dialog ask first.
    std::filesystem::remove(photoDir + "\\saved.bmp");
    CorvaleProcess corvale(folder.path());
    HWND mainWindow = corvale.waitForWindow("Tessaly - List");
    ASSERT_TRUE(mainWindow);
    {
        DialogResponder responder({testing::chooseFileIn("Open file", photoDir + "\\photo.bmp")}, corvale.id(),
                                  kTimeoutMs);
        PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(ID_FILE_LOAD_BMP, 0), 0);
        EXPECT_EQ(responder.finish(), 1u);
    }
    ASSERT_TRUE(corvale.waitForWindow("Tessaly - Image"));
    {
        DialogResponder responder({testing::chooseFileIn("Save file", photoDir + "\\saved.bmp")}, corvale.id(),
                                  kTimeoutMs);
        PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE_BMP, 0), 0);
        EXPECT_EQ(responder.finish(), 1u);
    }
    EXPECT_EQ(exitThroughTheQuestion(corvale, mainWindow, "Exit"), 153);
    EXPECT_TRUE(std::filesystem::exists(photoDir + "\\saved.bmp"));
}

// Answers the windows a command opens in `corvale`, then waits for the main
// window's title to say which page the command ended on.
bool commandEndsOn(const CorvaleProcess& corvale, HWND mainWindow, int id, std::vector<testing::DialogStep> steps,
                   const std::string& title)
{
    DialogResponder responder(std::move(steps), corvale.id(), kTimeoutMs);
    PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    const size_t answered = responder.finish();
    return answered > 0 && corvale.waitForWindow(title) == mainWindow;
}

TEST_F(CorvaleEndToEnd, ListDrawnEncryptedSavedAndAfterARestartDecryptedReadsTheSame)
{
    const std::string plain = folder.file("plain.bmp"), encrypted = folder.file("encrypted.bmp"),
                      decrypted = folder.file("decrypted.bmp");
    const auto password = [](const char* title) {
        return testing::fillTwiceIn(title, IDC_PASSWORD, IDC_PASSWORD_REPEAT, "a long pass phrase", IDC_OK);
    };
    {
        CorvaleProcess corvale(folder.path());
        HWND mainWindow = corvale.waitForWindow("Tessaly - List");
        ASSERT_TRUE(mainWindow);
        for (const char* user : {"alice", "bob", "carol"}) {
            SendDlgItemMessageA(mainWindow, IDC_ADD_USER, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(user));
            SendDlgItemMessageA(mainWindow, IDC_ADD_PASS, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("pw-of-them"));
            SendDlgItemMessageA(mainWindow, IDC_ADD_DESCRIPTION, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("site"));
            SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(IDC_ADD, BN_CLICKED), 0);
        }
        // The typed list was never saved: the title says so.
        ASSERT_TRUE(commandEndsOn(corvale, mainWindow, IDC_GENERATE_IMAGE, {pressButtonIn("Generate BMP", IDC_OK)},
                                  "Tessaly - Image*"));
        ASSERT_TRUE(commandEndsOn(corvale, mainWindow, ID_FILE_SAVE_BMP, {testing::chooseFileIn("Save file", plain)},
                                  "Tessaly - Image*"));
        ASSERT_TRUE(
            commandEndsOn(corvale, mainWindow, IDC_ENCRYPT, {password("Encrypt")}, "Tessaly - Encrypted Image*"));
        ASSERT_TRUE(commandEndsOn(corvale, mainWindow, ID_FILE_SAVE_ENCRYPTED_BMP,
                                  {testing::chooseFileIn("Save file", encrypted)}, "Tessaly - Encrypted Image*"));
        EXPECT_EQ(exitThroughTheQuestion(corvale, mainWindow, "Unsaved changes"), 153);
    }
    {
        CorvaleProcess corvale(folder.path());
        HWND mainWindow = corvale.waitForWindow("Tessaly - List");
        ASSERT_TRUE(mainWindow);
        ASSERT_TRUE(commandEndsOn(corvale, mainWindow, ID_FILE_LOAD_ENCRYPTED_BMP,
                                  {testing::chooseFileIn("Open file", encrypted)}, "Tessaly - Encrypted Image"));
        ASSERT_TRUE(commandEndsOn(corvale, mainWindow, IDC_DECRYPT, {password("Decrypt")}, "Tessaly - Image"));
        ASSERT_TRUE(commandEndsOn(corvale, mainWindow, ID_FILE_SAVE_BMP,
                                  {testing::chooseFileIn("Save file", decrypted)}, "Tessaly - Image"));
        EXPECT_EQ(exitThroughTheQuestion(corvale, mainWindow, "Exit"), 153);
    }
    const std::string drawn = readFile(plain);
    ASSERT_GT(drawn.size(), 54u);
    EXPECT_NE(readFile(encrypted).substr(54), drawn.substr(54));
    EXPECT_TRUE(readFile(decrypted) == drawn) << "the list picture came back changed";
}

// The passwords of a protected list, none of them anywhere in the program's
// memory once the list is locked: not in a freed copy, not in a field.
// A protected list of 100 entries, opened at start; `leave` then takes it
// out of the window, after which no password may be found in the program's
// memory.
void CorvaleEndToEnd::expectNoPasswordLeftAfter(const std::function<void(const CorvaleProcess&, HWND)>& leave)
{
    constexpr char kPassphrase[] = "a long pass phrase";
    std::vector<PasswordEntry> entries;
    std::vector<std::string> passwords;
    // Short ones stand inside their string objects; long ones on the heap.
    for (int i = 0; i < 100; ++i) {
        passwords.push_back((i % 2 ? "Qz7#" : "Qz7#a long password number ") + std::to_string(i * 7919));
        entries.push_back({"user" + std::to_string(i), passwords.back(), "entry " + std::to_string(i)});
    }
    const std::string list = folder.file("accounts.slp");
    ASSERT_EQ(saveProtectedList(list, entries, kPassphrase), ProtectedListResult::Done);
    testing::writeFile(settingsFile(), defaultSettings() + "last_list=" + list + "\r\nrecent_lists=" + list + "\r\n");

    CorvaleProcess corvale(folder.path());
    DialogResponder opened({{"Open the protected list",
                             [&](HWND dialog) {
                                 SendDlgItemMessageA(dialog, IDC_PASSWORD, WM_SETTEXT, 0,
                                                     reinterpret_cast<LPARAM>(kPassphrase));
                                 testing::pressButton(dialog, IDC_OK);
                             }}},
                           corvale.id(), kTimeoutMs);
    EXPECT_EQ(opened.finish(), 1u);
    HWND mainWindow = corvale.waitForWindow("Tessaly - List - accounts.slp");
    ASSERT_TRUE(mainWindow);
    ASSERT_GT(testing::copiesInMemory(corvale.id(), passwords[1]), 0) << "the list is open";

    leave(corvale, mainWindow);
    // A moved string may leave its bytes behind with the first one cleared:
    // the rest is looked for.
    std::vector<std::string> found;
    for (const auto& password : passwords) {
        if (testing::copiesInMemory(corvale.id(), password.substr(1)) != 0) found.push_back(password);
    }
    EXPECT_TRUE(found.empty()) << found.size() << " passwords left, the first " << found.front();
    PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(ID_FILE_EXIT, 0), 0);
    DialogResponder exit({pressButtonIn("Exit", IDYES)}, corvale.id(), kTimeoutMs);
    EXPECT_EQ(exit.finish(), 1u);
    EXPECT_EQ(corvale.waitForExit(), 153);
}

TEST_F(CorvaleEndToEnd, ALockedListLeavesNoPasswordInTheProgramsMemory)
{
    expectNoPasswordLeftAfter([](const CorvaleProcess& corvale, HWND mainWindow) {
        PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(ID_FILE_LOCK, 0), 0);
        ASSERT_TRUE(corvale.waitForWindow("Tessaly - Locked - accounts.slp"));
    });
}

TEST_F(CorvaleEndToEnd, ANewListLeavesNoPasswordOfTheOldOneInTheProgramsMemory)
{
    expectNoPasswordLeftAfter([](const CorvaleProcess& corvale, HWND mainWindow) {
        DialogResponder asked({pressButtonIn("New", IDYES)}, corvale.id(), kTimeoutMs);
        PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0);
        EXPECT_EQ(asked.finish(), 1u);
        ASSERT_TRUE(corvale.waitForWindow("Tessaly - List"));
    });
}

TEST_F(CorvaleEndToEnd, SecondCopyStartsAlongsideTheFirst)
{
    CorvaleProcess first(folder.path());
    ASSERT_TRUE(first.waitForWindow("Tessaly - List"));
    CorvaleProcess second(folder.path());
    HWND secondWindow = second.waitForWindow("Tessaly - List");
    ASSERT_TRUE(secondWindow);
    EXPECT_TRUE(first.running());
    EXPECT_EQ(exitThroughTheQuestion(second, secondWindow, "Exit"), 153);
    EXPECT_TRUE(first.running());
}

}  // namespace
}  // namespace tessaly
