#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "image/generate_worker.h"
#include "image/progress_window.h"
#include "platform/win32_handles.h"
#include "formats/bitmap_file.h"
#include "settings/settings.h"
#include "shell/password_list.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/pictures.h"

namespace tessaly {
namespace {

using testing::DialogStep;
using testing::pressButtonIn;
using testing::pumpUntil;
using testing::streamOf;

constexpr uint32_t kText = 0xD37618;        // font_select_color of the default settings
constexpr uint32_t kBackground = 0xFFE2D5;  // bk_select_color

using testing::pixelAt;

// Fills both password fields of the Encrypt or Decrypt dialog and presses OK.
DialogStep passwordIn(const std::string& title, const std::string& password)
{
    return testing::fillTwiceIn(title, IDC_PASSWORD, IDC_PASSWORD_REPEAT, password, IDC_OK);
}

class ImageDialogsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(openMainWindow());
    }

    void addEntry(const char* user, const char* pass, const char* description)
    {
        SetDlgItemTextA(window, IDC_ADD_USER, user);
        SetDlgItemTextA(window, IDC_ADD_PASS, pass);
        SetDlgItemTextA(window, IDC_ADD_DESCRIPTION, description);
        SendMessageA(window, WM_COMMAND, IDC_ADD, 0);
    }

    size_t command(int id, std::vector<DialogStep> steps)
    {
        testing::DialogResponder responder(std::move(steps));
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        const size_t answered = responder.finish();
        // The command's modal windows have all closed once the progress
        // window is gone and the main window takes commands again.
        pumpUntil([&] { return !progressWindow() && IsWindowEnabled(window); });
        testing::pumpFor(50);
        return answered;
    }

    size_t generate() { return command(IDC_GENERATE_IMAGE, {pressButtonIn("Generate BMP", IDC_OK)}); }
};

TEST_F(ImageDialogsTest, GeneratedPictureHasTheSeparatorInTheTextColourAndTextOnTheBackground)
{
    addEntry("alice", "secret-1", "mail");
    addEntry("bob", "secret-2", "bank");
    ASSERT_EQ(generate(), 1u);
    HBITMAP picture = state().pictures.plainImage.get();
    ASSERT_TRUE(picture);
    EXPECT_EQ(state().currentPage, page(kImagePage));
    EXPECT_FALSE(state().imageOutOfDate);

    const uint32_t width = imageWidth(picture), height = imageHeight(picture);
    const auto stream = streamOf(picture);
    ASSERT_FALSE(stream.empty()) << "a picture of 24-bit rows";
    // Two entries: H = 2 (3 LH + 7) - 7.
    ASSERT_EQ((height + 7) % 2, 0u);
    const uint32_t lineHeight = ((height + 7) / 2 - 7) / 3;
    ASSERT_EQ(2 * (3 * lineHeight + 7) - 7, height);
    const uint32_t separator = 5 + 3 * lineHeight - 1;
    for (uint32_t y : {separator, separator + 1}) {
        EXPECT_EQ(pixelAt(stream, width, 5, y), kText) << y;
        EXPECT_EQ(pixelAt(stream, width, width - 6, y), kText) << y;
        EXPECT_EQ(pixelAt(stream, width, 4, y), kBackground) << y;
        EXPECT_EQ(pixelAt(stream, width, width - 5, y), kBackground) << y;
    }
    EXPECT_EQ(pixelAt(stream, width, 5, separator - 1), kBackground);
    EXPECT_EQ(pixelAt(stream, width, 5, separator + 2), kBackground);
    // Text stands in each entry's lines, and nowhere in the margins.
    auto drawnIn = [&](uint32_t top, uint32_t bottom) {
        size_t count = 0;
        for (uint32_t y = top; y < bottom; ++y) {
            for (uint32_t x = 0; x < width; ++x) count += pixelAt(stream, width, x, y) != kBackground;
        }
        return count;
    };
    EXPECT_GT(drawnIn(5, 5 + 3 * lineHeight - 1), 100u);
    EXPECT_GT(drawnIn(separator + 7, height - 5), 100u);
    EXPECT_EQ(drawnIn(0, 3), 0u);
    EXPECT_EQ(drawnIn(height - 3, height), 0u);
}

TEST_F(ImageDialogsTest, GenerateOfAnEmptyListLeavesBothPicturesEmptyAndSaysWhy)
{
    state().pictures.plainImage = testing::flatPicture(20, 20, RGB(1, 2, 3));
    state().pictures.encryptedImage = testing::flatPicture(20, 20, RGB(1, 2, 3));
    auto text = std::make_shared<std::string>();
    ASSERT_EQ(command(IDC_GENERATE_IMAGE,
                      {testing::pressButtonIn("Generate BMP", IDC_OK), testing::readMessageIn("Warning", text)}),
              2u);
    EXPECT_FALSE(state().pictures.plainImage);
    EXPECT_FALSE(state().pictures.encryptedImage);
    EXPECT_EQ(*text, "The list is empty: there is nothing to draw.");
}

TEST_F(ImageDialogsTest, EncryptThenDecryptWithTheSamePasswordGivesEveryPixelBack)
{
    addEntry("carol", "pa55word", "shop");
    ASSERT_EQ(generate(), 1u);
    const auto generated = streamOf(state().pictures.plainImage.get());
    ASSERT_FALSE(generated.empty());

    ASSERT_EQ(command(IDC_ENCRYPT, {passwordIn("Encrypt", "Tr0ub4dor&3")}), 1u);
    ASSERT_TRUE(state().pictures.encryptedImage);
    EXPECT_EQ(state().currentPage, page(kEncryptedPage));
    EXPECT_NE(streamOf(state().pictures.encryptedImage.get()), generated);

    ASSERT_EQ(command(IDC_DECRYPT, {passwordIn("Decrypt", "Tr0ub4dor&3")}), 1u);
    EXPECT_EQ(state().currentPage, page(kImagePage));
    EXPECT_TRUE(streamOf(state().pictures.plainImage.get()) == generated);
}

TEST_F(ImageDialogsTest, WithoutAPictureEncryptAndDecryptSaySoAndOpenNothing)
{
    auto text = std::make_shared<std::string>();
    EXPECT_EQ(command(IDC_ENCRYPT, {testing::readMessageIn("Warning", text)}), 1u);
    EXPECT_EQ(*text, "There is no image to encrypt. Generate or load one first.");
    EXPECT_EQ(command(IDC_DECRYPT, {testing::readMessageIn("Warning", text)}), 1u);
    EXPECT_EQ(*text, "There is no encrypted image to decrypt. Load one first.");
}

TEST_F(ImageDialogsTest, AfterAnAddEncryptAsksToGenerateAgain)
{
    addEntry("dave", "hunter22", "forum");
    // Yes opens the Generate dialog instead of the Encrypt dialog.
    EXPECT_EQ(command(IDC_ENCRYPT, {pressButtonIn("Warning", IDYES), pressButtonIn("Generate BMP", IDC_CANCEL)}), 2u);
    EXPECT_TRUE(state().imageOutOfDate);

    // No opens the Encrypt dialog, and the question is not asked again.
    state().pictures.plainImage = testing::flatPicture(20, 20, RGB(1, 2, 3));
    EXPECT_EQ(command(IDC_ENCRYPT, {pressButtonIn("Warning", IDNO), pressButtonIn("Encrypt", IDC_CANCEL)}), 2u);
    EXPECT_FALSE(state().imageOutOfDate);
    EXPECT_EQ(command(IDC_ENCRYPT, {pressButtonIn("Encrypt", IDC_CANCEL)}), 1u);
    EXPECT_FALSE(state().pictures.encryptedImage) << "a cancelled dialog starts no worker";
}

// In the Encrypt dialog: a password, "Create an executable file" with `path`, then OK.
DialogStep encryptWithFileIn(const std::string& path)
{
    return {"Encrypt", [path](HWND dialog) {
                CheckDlgButton(dialog, IDC_CREATE_EXE, BST_CHECKED);
                SetDlgItemTextA(dialog, IDC_EXE_PATH, path.c_str());
                passwordIn("Encrypt", "sfx-password").act(dialog);
            }};
}

TEST_F(ImageDialogsTest, EncryptCanWriteASelfExtractingFileOrSayWhyNot)
{
    settingsTable().set("sfx_guarded", "false");
    state().pictures.plainImage = testing::flatPicture(30, 20, RGB(1, 2, 3));
    const std::string built = folder.file("list.exe");
    ASSERT_EQ(command(IDC_ENCRYPT, {encryptWithFileIn(built)}), 1u);
    ASSERT_TRUE(state().pictures.encryptedImage);
    LibraryHandle file(LoadLibraryExA(built.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(file);
    char radius[16] = {};
    LoadStringA(file.get(), 4, radius, sizeof radius);
    EXPECT_STREQ(radius, "20") << "the image page's slider, spotlight on";

    const std::string unwritable = folder.file("no such folder\\list.exe");
    auto text = std::make_shared<std::string>();
    ASSERT_EQ(command(IDC_ENCRYPT, {encryptWithFileIn(unwritable), testing::readMessageIn("Error", text)}), 2u);
    EXPECT_EQ(*text, "The self-extracting file could not be written there; a file of that name is as it was. The "
                     "encrypted image is ready; choose another path to try again.");
    EXPECT_TRUE(state().pictures.encryptedImage) << "the encrypted picture is still shown";
    EXPECT_EQ(state().currentPage, page(kEncryptedPage));
    EXPECT_FALSE(testing::fileExists(unwritable));
}

TEST_F(ImageDialogsTest, GuardedFileHoldsTheSealedPictureItsHeaderAndTheWrongPasswordText)
{
    settingsTable().set("sfx_guarded", "true");
    state().pictures.plainImage = testing::flatPicture(30, 20, RGB(1, 2, 3));
    const std::string built = folder.file("guarded.exe");
    auto guardFollowsTheFileBox = std::make_shared<std::vector<bool>>();
    const DialogStep encrypt{"Encrypt", [=](HWND dialog) {
                                 auto& seen = *guardFollowsTheFileBox;
                                 seen.push_back(IsDlgButtonChecked(dialog, IDC_SFX_GUARD) == BST_CHECKED);
                                 CheckDlgButton(dialog, IDC_CREATE_EXE, BST_UNCHECKED);
                                 SendMessageA(dialog, WM_COMMAND, IDC_CREATE_EXE, 0);
                                 seen.push_back(IsWindowEnabled(GetDlgItem(dialog, IDC_SFX_GUARD)) != FALSE);
                                 encryptWithFileIn(built).act(dialog);
                             }};
    ASSERT_EQ(command(IDC_ENCRYPT, {encrypt}), 1u);
    EXPECT_EQ(*guardFollowsTheFileBox, (std::vector<bool>{true, false}));
    EXPECT_FALSE(state().pictures.encryptedImage) << "no picture under the cipher is left beside the guarded file";
    EXPECT_NE(state().currentPage, page(kEncryptedPage)) << "an empty page is not brought forward";

    LibraryHandle file(LoadLibraryExA(built.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(file);
    HRSRC header = FindResourceA(file.get(), MAKEINTRESOURCEA(120), RT_RCDATA);
    ASSERT_TRUE(header);
    EXPECT_EQ(SizeofResource(file.get(), header), 68u);
    EXPECT_EQ(std::string(static_cast<const char*>(LockResource(LoadResource(file.get(), header))), 8), "TESSPICT");
    char text[128] = {};
    LoadStringA(file.get(), 32, text, sizeof text);
    EXPECT_STREQ(text, "The password is wrong. Try again.");
    HRSRC picture = FindResourceA(file.get(), MAKEINTRESOURCEA(105), RT_BITMAP);
    ASSERT_TRUE(picture);
    const std::string dib(static_cast<const char*>(LockResource(LoadResource(file.get(), picture))),
                          SizeofResource(file.get(), picture));
    EXPECT_EQ(dib.size(), 40u + 92u * 20u) << "the picture keeps its size";
    EXPECT_EQ(dib.find(std::string("\x03\x02\x01\x03\x02\x01\x03\x02\x01", 9)), std::string::npos)
        << "no plain pixel is left";
}

// Both password fields filled as typed in any script; the boxes as given.
DialogStep wideEncryptIn(const std::wstring& password, const std::string& exePath)
{
    return {"Encrypt", [=](HWND dialog) {
                const bool file = !exePath.empty();
                CheckDlgButton(dialog, IDC_CREATE_EXE, file ? BST_CHECKED : BST_UNCHECKED);
                SendMessageA(dialog, WM_COMMAND, IDC_CREATE_EXE, 0);
                CheckDlgButton(dialog, IDC_SFX_GUARD, file ? BST_CHECKED : BST_UNCHECKED);
                SetDlgItemTextA(dialog, IDC_EXE_PATH, exePath.c_str());
                SetDlgItemTextW(dialog, IDC_PASSWORD, password.c_str());
                SetDlgItemTextW(dialog, IDC_PASSWORD_REPEAT, password.c_str());
                testing::pressButton(dialog, IDC_OK);
            }};
}

TEST_F(ImageDialogsTest, APasswordTheCodePageLacksIsRefusedForThePictureAndGuardsAFile)
{
    state().pictures.plainImage = testing::flatPicture(30, 20, RGB(1, 2, 3));
    const std::wstring cyrillic = L"\x43f\x430\x440\x43e\x43b\x44c-\x43c\x43e\x441\x43a\x432\x430";
    const std::string built = folder.file("guarded.exe");
    auto text = std::make_shared<std::string>();
    // Refused for the picture, whose key would hold "?"s; the dialog stays
    // for the guarded file, which keeps the password whole.
    const DialogStep refusedThenGuarded{"Encrypt", [=](HWND dialog) {
                                            wideEncryptIn(cyrillic, "").act(dialog);
                                            if (!testing::answerMessageIn("Warning", text)) return;
                                            wideEncryptIn(cyrillic, built).act(dialog);
                                        }};
    ASSERT_EQ(command(IDC_ENCRYPT, {refusedThenGuarded}), 1u);
    EXPECT_NE(text->find("cannot keep"), std::string::npos) << *text;
    EXPECT_TRUE(testing::fileExists(built));
    EXPECT_FALSE(state().pictures.encryptedImage);
}

// In the Generate dialog: the picture option with `path`, then OK.
DialogStep backgroundIn(const std::string& path)
{
    return {"Generate BMP", [path](HWND dialog) {
                CheckRadioButton(dialog, IDC_USE_PERSONAL_COLORS, IDC_USE_PERSONAL_IMAGE, IDC_USE_PERSONAL_IMAGE);
                SetDlgItemTextA(dialog, IDC_IMAGE_PATH, path.c_str());
                testing::pressButton(dialog, IDC_OK);
            }};
}

TEST_F(ImageDialogsTest, BackgroundPictureStretchesBehindEveryEntryOrIsReplacedByTheColourWithAWord)
{
    addEntry("erin", "green-tea", "tea shop");
    addEntry("frank", "blue-sky", "weather");
    const std::string red = folder.file("red.bmp");
    ASSERT_TRUE(writeBitmapFile(testing::flatPicture(7, 5, RGB(200, 0, 0)).get(), red));
    ASSERT_EQ(command(IDC_GENERATE_IMAGE, {backgroundIn(red)}), 1u);
    HBITMAP picture = state().pictures.plainImage.get();
    ASSERT_TRUE(picture);
    const uint32_t width = imageWidth(picture), height = imageHeight(picture);
    const auto stream = streamOf(picture);
    for (uint32_t y : {0u, height / 2 + 1, height - 1}) EXPECT_EQ(pixelAt(stream, width, 0, y), 0xC80000u) << y;

    const std::string notPicture = folder.file("notes.bmp");
    testing::writeFile(notPicture, "plain words");
    auto text = std::make_shared<std::string>();
    ASSERT_EQ(command(IDC_GENERATE_IMAGE, {backgroundIn(notPicture), testing::readMessageIn("Warning", text)}), 2u);
    EXPECT_EQ(*text, "The background picture could not be loaded, so the background color was used.");
    ASSERT_TRUE(state().pictures.plainImage);
    const auto filled = streamOf(state().pictures.plainImage.get());
    EXPECT_EQ(pixelAt(filled, imageWidth(state().pictures.plainImage.get()), 0, 0), kBackground);
}

// Types into a field of `dialog` from the responder's thread, one key at a
// time, recording after each key whether OK is enabled.
void typeInto(HWND dialog, int id, const std::string& text, std::vector<bool>& okAfterEachKey)
{
    HWND field = GetDlgItem(dialog, id);
    SetForegroundWindow(dialog);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    for (size_t i = 0; i < text.size(); ++i) {
        testing::typeText(text.substr(i, 1));
        for (int wait = 0; wait < 200 && GetWindowTextLengthA(field) <= static_cast<int>(i); ++wait) Sleep(10);
        Sleep(30);
        okAfterEachKey.push_back(IsWindowEnabled(GetDlgItem(dialog, IDC_OK)) != FALSE);
    }
}

TEST_F(ImageDialogsTest, OkIsEnabledOnTheKeyThatMakesBothPasswordsEqualAndLongEnough)
{
    state().pictures.plainImage = testing::flatPicture(20, 20, RGB(1, 2, 3));
    state().pictures.encryptedImage = testing::flatPicture(20, 20, RGB(1, 2, 3));
    for (const char* title : {"Encrypt", "Decrypt"}) {
        auto okAfter = std::make_shared<std::vector<bool>>();
        DialogStep typing{title, [okAfter](HWND dialog) {
                              // The repetition first: OK comes with the password's last key.
                              typeInto(dialog, IDC_PASSWORD_REPEAT, "abc123", *okAfter);
                              typeInto(dialog, IDC_PASSWORD, "abc123", *okAfter);
                              typeInto(dialog, IDC_PASSWORD, "4", *okAfter);
                              testing::pressButton(dialog, IDC_CANCEL);
                          }};
        const int id = std::string(title) == "Encrypt" ? IDC_ENCRYPT : IDC_DECRYPT;
        EXPECT_EQ(command(id, {typing}), 1u) << title;
        const std::vector<bool> expected{false, false, false, false, false, false, false,
                                         false, false, false, false, true,  false};
        EXPECT_EQ(*okAfter, expected) << title;
    }
}

TEST_F(ImageDialogsTest, CancelWhileGeneratingLeavesBothPicturesEmpty)
{
    for (int i = 0; i < 5; ++i) addEntry("user", "password", "entry");
    state().pictures.plainImage = testing::flatPicture(20, 20, RGB(1, 2, 3));
    GenerateJob job;
    job.entries = collectEntries(listControl(page(kListPage)), true);
    job.usePersonalColors = false;
    job.personalImagePath = folder.file("no such picture.bmp");
    job.publishPlain = picturePublisher(state(), kImagePage);
    job.publishEncrypted = picturePublisher(state(), kEncryptedPage);
    const WorkerEnd result = runWithProgressWindow(window, [&](WorkerReport& report) {
        PostMessageA(progressWindow(), WM_COMMAND, MAKEWPARAM(IDC_CANCEL, BN_CLICKED), 0);
        while (!report.cancelled()) Sleep(5);
        return generateWorker(job, report);
    });
    EXPECT_EQ(result, WorkerEnd::Cancelled);
    EXPECT_FALSE(state().pictures.plainImage);
    EXPECT_FALSE(state().pictures.encryptedImage);
    EXPECT_FALSE(job.backgroundMissing) << "nothing drawn, nothing to explain";
}

}  // namespace
}  // namespace tessaly
