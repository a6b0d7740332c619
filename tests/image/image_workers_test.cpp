#include "image/image_workers.h"

#include <commctrl.h>

#include <memory>
#include <random>
#include <vector>

#include "cipher/rijndael_cipher.h"
#include "image/encrypt_job.h"
#include "image/image_cipher.h"
#include "image/pixel_stream.h"
#include "image/progress_window.h"
#include "shell/bitmap_file.h"
#include "settings/language.h"
#include "shell/win32_handles.h"
#include "tests/support/pictures.h"
#include "tests/shell/main_window_fixture.h"

namespace tessaly {
namespace {

using testing::streamOf;

std::vector<uint8_t> randomStream(uint32_t width, uint32_t height)
{
    std::mt19937 random(width * 7 + height);
    std::vector<uint8_t> stream(pixelStreamBytes(width, height));
    for (auto& byte : stream) byte = static_cast<uint8_t>(random());
    return stream;
}

HBITMAP pictureOf(const std::vector<uint8_t>& stream, uint32_t width, uint32_t height)
{
    ImageRows rows;
    HBITMAP image = createImage(width, height, &rows);
    rowsFromPixelStream(stream.data(), width, height, rows.rows);
    return image;
}

void setPassword(EncryptJob& job, const char* password)
{
    job.password = password;
}

TEST(ImageCipher, EnciphersThePixelStreamAndDeciphersItBack)
{
    const uint32_t width = 37, height = 11;  // 1221 bytes: a tail shorter than a block
    const auto stream = randomStream(width, height);
    BitmapHandle plain(pictureOf(stream, width, height));
    EncryptJob job;
    setPassword(job, "correct horse");
    std::vector<std::string> statuses;
    ImageCipherReport report;
    report.status = [&](const char* key) { statuses.push_back(key); };

    BitmapHandle encrypted(encryptImage(plain.get(), job, report));
    ASSERT_TRUE(encrypted);
    EXPECT_EQ(statuses, (std::vector<std::string>{"loading_image", "encrypting", "saving_image"}));
    EXPECT_EQ(streamOf(plain.get()), stream) << "the source changed";

    std::vector<uint8_t> expected = stream;
    RijndaelCipher cipher;
    cipher.setKey("correct horse", 32);
    cipher.encryptBuffer(expected.data(), expected.size());
    EXPECT_TRUE(streamOf(encrypted.get()) == expected);

    statuses.clear();
    BitmapHandle decrypted(decryptImage(encrypted.get(), job, report));
    ASSERT_TRUE(decrypted);
    EXPECT_EQ(statuses, (std::vector<std::string>{"loading_image", "decrypting", "saving_image"}));
    EXPECT_TRUE(streamOf(decrypted.get()) == stream);
}

TEST(ImageCipher, SavedEncryptedPictureDeciphersLikeTheOneInMemory)
{
    testing::TempFolder folder;
    const uint32_t width = 53, height = 29;
    const auto stream = randomStream(width, height);
    BitmapHandle plain(pictureOf(stream, width, height));
    EncryptJob job;
    setPassword(job, "s3cret-words");
    ImageCipherReport report;
    BitmapHandle encrypted(encryptImage(plain.get(), job, report));
    ASSERT_TRUE(writeBitmapFile(encrypted.get(), folder.file("enc.bmp")));
    BitmapHandle loaded(loadBitmapFile(folder.file("enc.bmp")));
    ASSERT_TRUE(loaded);
    BitmapHandle fromFile(decryptImage(loaded.get(), job, report));
    BitmapHandle fromMemory(decryptImage(encrypted.get(), job, report));
    EXPECT_TRUE(streamOf(fromFile.get()) == streamOf(fromMemory.get()));
    EXPECT_TRUE(streamOf(fromFile.get()) == stream) << "last pixels included";
}

class ImageWorkerTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(openMainWindow());
        stream = randomStream(kWidth, kHeight);
        mainWindowState().plainImage = pictureOf(stream, kWidth, kHeight);
        setPassword(job, "worker password");
    }

    // The page was told of its new picture: its bars fit the picture.
    int horizontalRange(int page)
    {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE;
        GetScrollInfo(GetDlgItem(mainWindowState().pages[page], IDC_HSCROLL), SB_CTL, &info);
        return info.nMax;
    }

    static constexpr uint32_t kWidth = 300, kHeight = 200;
    std::vector<uint8_t> stream;
    EncryptJob job;
};

// Records what the worker found when it started, then does the real work.
struct WorkerStart {
    bool windowExisted = false;
    bool cancelFirst = false;
};
WorkerStart workerStart;

DWORD WINAPI observedEncryptJob(void* job)
{
    workerStart.windowExisted = IsWindow(mainWindowState().progressWindow) != FALSE;
    if (workerStart.cancelFirst) {
        PostMessageA(mainWindowState().progressWindow, WM_COMMAND, MAKEWPARAM(IDC_CANCEL, BN_CLICKED), 0);
        while (!progressCancelled()) Sleep(5);
    }
    return runEncryptJob(job);
}

TEST_F(ImageWorkerTest, EncryptWorkerFillsTheEncryptedSlotAndItsPageThenDecryptRestoresThePlainOne)
{
    workerStart = {};
    EXPECT_EQ(runWithProgressWindow(window, observedEncryptJob, &job), 0);
    EXPECT_TRUE(workerStart.windowExisted);
    auto& state = mainWindowState();
    ASSERT_TRUE(state.encryptedImage);
    EXPECT_EQ(horizontalRange(2), static_cast<int>(kWidth) - 1);
    EXPECT_FALSE(state.progressWindow);
    EXPECT_NE(streamOf(state.encryptedImage), stream);

    const HBITMAP oldPlain = state.plainImage;
    EXPECT_EQ(runWithProgressWindow(window, decryptWorker, &job), 0);
    ASSERT_TRUE(state.plainImage);
    EXPECT_EQ(GetObjectType(oldPlain), 0u) << "the replaced picture was not deleted";
    EXPECT_EQ(horizontalRange(1), static_cast<int>(kWidth) - 1);
    EXPECT_TRUE(streamOf(state.plainImage) == stream);
}

DWORD WINAPI outOfMemoryWorker(void*)
{
    finishWorker(WorkerOutcome::OutOfMemory);
    return 1;
}

TEST_F(ImageWorkerTest, WorkerWithoutMemoryForThePictureTellsTheUser)
{
    auto text = std::make_shared<std::string>();
    testing::DialogResponder responder({testing::readMessageIn("Error", text)});
    EXPECT_EQ(runWithProgressWindow(window, outOfMemoryWorker, &job), 0);
    EXPECT_EQ(responder.finish(), 1u);
    EXPECT_EQ(*text, "The image is too large for the available memory.");
    EXPECT_FALSE(mainWindowState().progressWindow);
}

// Watches the status line of the progress window from inside: records each
// text it is given and, at the text of `cancelAt`, presses Cancel. The worker
// sets the text with a sent message, so it goes on only after the window has
// taken the cancel.
struct StatusWatch {
    std::vector<std::string> texts;
    std::string cancelAt;
    WNDPROC original = nullptr;
};
StatusWatch statusWatch;

LRESULT CALLBACK watchedStatusProc(HWND status, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT) {
        const std::string text = reinterpret_cast<const char*>(lParam);
        statusWatch.texts.push_back(text);
        if (text == statusWatch.cancelAt) {
            SendMessageA(GetParent(status), WM_COMMAND, MAKEWPARAM(IDC_CANCEL, BN_CLICKED), 0);
        }
    }
    return CallWindowProcA(statusWatch.original, status, message, wParam, lParam);
}

DWORD WINAPI watchedEncryptJob(void* job)
{
    HWND status = GetDlgItem(mainWindowState().progressWindow, IDC_PROGRESS_STATUS);
    statusWatch.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchedStatusProc)));
    return runEncryptJob(job);
}

// What the progress window showed while a worker ran.
struct WindowTexts {
    std::string title;
    std::string cancel;
};
WindowTexts progressTexts;

DWORD WINAPI textReadingEncryptJob(void* job)
{
    HWND progress = mainWindowState().progressWindow;
    progressTexts = {testing::windowText(progress), testing::dialogItemText(progress, IDC_CANCEL)};
    return watchedEncryptJob(job);
}

TEST_F(ImageWorkerTest, ProgressWindowShowsTheLanguageTextsAndTheStagesOfTheWork)
{
    statusWatch = {};
    EXPECT_EQ(runWithProgressWindow(window, textReadingEncryptJob, &job), 0);
    EXPECT_EQ(progressTexts.title, "Please wait...");
    EXPECT_EQ(progressTexts.cancel, "&Cancel");
    EXPECT_EQ(statusWatch.texts, (std::vector<std::string>{"Loading image...", "Encrypting...", "Saving image..."}));
    EXPECT_TRUE(mainWindowState().encryptedImage);
}

TEST_F(ImageWorkerTest, CancelLeavesTheSlotEmptyAndFreesThePictureItReplaced)
{
    workerStart = {};
    ASSERT_EQ(runWithProgressWindow(window, runEncryptJob, &job), 0);
    const HBITMAP previous = mainWindowState().encryptedImage;
    ASSERT_TRUE(previous);

    workerStart.cancelFirst = true;
    EXPECT_EQ(runWithProgressWindow(window, observedEncryptJob, &job), kProgressCancelled);
    EXPECT_FALSE(mainWindowState().encryptedImage);
    EXPECT_EQ(horizontalRange(2), 0);
    EXPECT_EQ(GetObjectType(previous), 0u);
    EXPECT_TRUE(streamOf(mainWindowState().plainImage) == stream) << "the source changed";
}

TEST_F(ImageWorkerTest, CancelAtEveryStageLeaksNoGdiObjectAndNoMemory)
{
    // Large enough that one kept pixel stream or picture shows plainly.
    const uint32_t width = 1500, height = 1000;
    const size_t pictureBytes = pixelStreamBytes(width, height);
    auto& state = mainWindowState();
    DeleteObject(state.plainImage);
    state.plainImage = pictureOf(randomStream(width, height), width, height);

    // Away from every window, so no hover makes objects of its own meanwhile.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    // Each run has an encrypted picture to replace, which it must delete.
    auto runCancelledAt = [&](const char* key) {
        state.encryptedImage = createImage(10, 10);
        statusWatch = {};
        statusWatch.cancelAt = translate(key);
        const INT_PTR result = runWithProgressWindow(window, watchedEncryptJob, &job);
        testing::pumpFor(50);
        return result;
    };
    const char* const stages[] = {"loading_image", "encrypting", "saving_image"};
    // The first runs make what lives for the whole program (cipher tables),
    // and Windows keeps a few objects it makes at its first repaints.
    for (const char* key : stages) ASSERT_EQ(runCancelledAt(key), kProgressCancelled) << key;
    const size_t committed = testing::committedBytes();
    const size_t objects = testing::gdiObjectCount();
    ASSERT_GT(objects, 0u);

    // Windows may still make one of those later, at a moment of its own; a
    // leak is what grows with every run, so it shows as many times as runs.
    constexpr size_t kRuns = 8;
    for (const char* key : stages) {
        for (size_t i = 0; i < kRuns; ++i) {
            ASSERT_EQ(runCancelledAt(key), kProgressCancelled) << key;
            ASSERT_FALSE(state.encryptedImage) << key;
            ASSERT_EQ(statusWatch.texts.back(), translate(key)) << key << ": the worker went on after Cancel";
        }
        EXPECT_LT(testing::gdiObjectCount(), objects + kRuns) << key;
        EXPECT_LT(testing::committedBytes(), committed + pictureBytes / 2) << key;
    }
}

}  // namespace
}  // namespace tessaly
