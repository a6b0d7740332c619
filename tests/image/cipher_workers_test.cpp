#include "image/cipher_workers.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

#include "cipher/rijndael_cipher.h"
#include "image/cipher_job.h"
#include "image/image_cipher.h"
#include "formats/pixel_stream.h"
#include "image/progress_window.h"
#include "formats/bitmap_file.h"
#include "settings/language.h"
#include "platform/win32_handles.h"
#include "tests/support/pictures.h"
#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

using testing::pictureOf;
using testing::streamOf;

std::vector<uint8_t> randomStream(uint32_t width, uint32_t height)
{
    return testing::randomStream(width, height, width * 7 + height);
}

void setPassword(CipherJob& job, const char* password)
{
    job.password = password;
}

TEST(ImageCipher, EnciphersThePixelStreamAndDeciphersItBack)
{
    const uint32_t width = 37, height = 11;  // 1221 bytes: a tail shorter than a block
    const auto stream = randomStream(width, height);
    BitmapHandle plain = pictureOf(stream, width, height);
    CipherJob job;
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
    BitmapHandle plain = pictureOf(stream, width, height);
    CipherJob job;
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

// Watches the status line of the progress window from inside: records each
// text it is given and, at the text of `cancelAt`, presses Cancel. The worker
// sets the text with a sent message, so it goes on only after the window has
// taken the cancel.
struct StatusWatch {
    std::vector<std::string> texts;
    std::string cancelAt;
};

LRESULT CALLBACK watchedStatusProc(HWND status, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    const LRESULT answer = DefSubclassProc(status, message, wParam, lParam);
    // The text is read back: a subclass may get the message in either form.
    auto* watch = reinterpret_cast<StatusWatch*>(data);
    if (message == WM_SETTEXT) {
        const std::string text = testing::windowText(status);
        watch->texts.push_back(text);
        if (text == watch->cancelAt) {
            SendMessageA(GetParent(status), WM_COMMAND, MAKEWPARAM(IDC_CANCEL, BN_CLICKED), 0);
        }
    }
    return answer;
}

class CipherWorkerTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(openMainWindow());
        stream = randomStream(kWidth, kHeight);
        state().pictures.plainImage = pictureOf(stream, kWidth, kHeight);
        setPassword(job, "worker password");
    }

    // The job as the Encrypt (Decrypt) dialog makes it: from one slot into
    // the other.
    void aim(bool encrypt)
    {
        auto& pictures = state().pictures;
        job.source = (encrypt ? pictures.plainImage : pictures.encryptedImage).get();
        job.publish = picturePublisher(state(), encrypt ? kEncryptedPage : kImagePage);
    }

    WorkerEnd run(const Worker& worker) { return runWithProgressWindow(window, worker); }

    WorkerEnd encrypt()
    {
        aim(true);
        return run([this](WorkerReport& report) { return encryptWorker(job, report); });
    }

    // Encrypts while `watch` sees the status line; `atStart` first sees the
    // progress window from the worker's thread.
    WorkerEnd encryptWatched(StatusWatch& watch, const std::function<void(HWND)>& atStart = nullptr)
    {
        aim(true);
        return run([&](WorkerReport& report) {
            if (atStart) atStart(progressWindow());
            report.onWindowThread([&] {
                SetWindowSubclass(GetDlgItem(progressWindow(), IDC_PROGRESS_STATUS), watchedStatusProc, 1,
                                  reinterpret_cast<DWORD_PTR>(&watch));
            });
            return encryptWorker(job, report);
        });
    }

    // The page was told of its new picture: its bars fit the picture.
    int horizontalRange(int pageIndex)
    {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE;
        GetScrollInfo(GetDlgItem(page(pageIndex), IDC_HSCROLL), SB_CTL, &info);
        return info.nMax;
    }

    static constexpr uint32_t kWidth = 300, kHeight = 200;
    std::vector<uint8_t> stream;
    CipherJob job;
};

TEST_F(CipherWorkerTest, EncryptWorkerFillsTheEncryptedSlotAndItsPageThenDecryptRestoresThePlainOne)
{
    bool windowExisted = false;
    aim(true);
    EXPECT_EQ(run([&](WorkerReport& report) {
                  windowExisted = IsWindow(progressWindow()) != FALSE;
                  return encryptWorker(job, report);
              }),
              WorkerEnd::Ran);
    EXPECT_TRUE(windowExisted);
    auto& pictures = state().pictures;
    ASSERT_TRUE(pictures.encryptedImage);
    EXPECT_EQ(horizontalRange(kEncryptedPage), static_cast<int>(kWidth) - 1);
    EXPECT_FALSE(progressWindow());
    EXPECT_NE(streamOf(pictures.encryptedImage.get()), stream);

    const HBITMAP oldPlain = pictures.plainImage.get();
    aim(false);
    EXPECT_EQ(run([this](WorkerReport& report) { return decryptWorker(job, report); }), WorkerEnd::Ran);
    ASSERT_TRUE(pictures.plainImage);
    EXPECT_EQ(GetObjectType(oldPlain), 0u) << "the replaced picture was not deleted";
    EXPECT_EQ(horizontalRange(kImagePage), static_cast<int>(kWidth) - 1);
    EXPECT_TRUE(streamOf(pictures.plainImage.get()) == stream);
}

TEST_F(CipherWorkerTest, WorkerWithoutMemoryForThePictureTellsTheUser)
{
    auto text = std::make_shared<std::string>();
    testing::DialogResponder responder({testing::readMessageIn("Error", text)});
    EXPECT_EQ(run([](WorkerReport&) { return WorkerOutcome::OutOfMemory; }), WorkerEnd::Ran);
    EXPECT_EQ(responder.finish(), 1u);
    EXPECT_EQ(*text, "The image is too large for the available memory.");
    EXPECT_FALSE(progressWindow());
}

TEST_F(CipherWorkerTest, ProgressWindowShowsTheLanguageTextsAndTheStagesOfTheWork)
{
    StatusWatch watch;
    std::string title, cancel;
    EXPECT_EQ(encryptWatched(watch,
                             [&](HWND progress) {
                                 title = testing::windowText(progress);
                                 cancel = testing::dialogItemText(progress, IDC_CANCEL);
                             }),
              WorkerEnd::Ran);
    EXPECT_EQ(title, "Please wait...");
    EXPECT_EQ(cancel, "&Cancel");
    EXPECT_EQ(watch.texts, (std::vector<std::string>{"Loading image...", "Encrypting...", "Saving image..."}));
    EXPECT_TRUE(state().pictures.encryptedImage);
}

TEST_F(CipherWorkerTest, CancelLeavesTheSlotEmptyAndFreesThePictureItReplaced)
{
    ASSERT_EQ(encrypt(), WorkerEnd::Ran);
    const HBITMAP previous = state().pictures.encryptedImage.get();
    ASSERT_TRUE(previous);

    aim(true);
    const WorkerEnd result = run([&](WorkerReport& report) {
        PostMessageA(progressWindow(), WM_COMMAND, MAKEWPARAM(IDC_CANCEL, BN_CLICKED), 0);
        while (!report.cancelled()) Sleep(5);
        return encryptWorker(job, report);
    });
    EXPECT_EQ(result, WorkerEnd::Cancelled);
    EXPECT_FALSE(state().pictures.encryptedImage);
    EXPECT_EQ(horizontalRange(kEncryptedPage), 0);
    EXPECT_EQ(GetObjectType(previous), 0u);
    EXPECT_TRUE(streamOf(state().pictures.plainImage.get()) == stream) << "the source changed";
}

TEST_F(CipherWorkerTest, CancelAtEveryStageLeaksNoGdiObjectAndNoMemory)
{
    // Large enough that one kept pixel stream or picture shows plainly.
    const uint32_t width = 1500, height = 1000;
    const size_t pictureBytes = pixelStreamBytes(width, height);
    auto& pictures = state().pictures;
    pictures.plainImage = pictureOf(randomStream(width, height), width, height);

    // Away from every window, so no hover makes objects of its own meanwhile.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    // Each run has an encrypted picture to replace, which it must delete.
    StatusWatch watch;
    auto runCancelledAt = [&](const char* key) {
        pictures.encryptedImage.reset(createImage(10, 10));
        watch = {};
        watch.cancelAt = translate(key);
        const WorkerEnd result = encryptWatched(watch);
        testing::pumpFor(50);
        return result;
    };
    const char* const stages[] = {"loading_image", "encrypting", "saving_image"};
    // The first runs make what lives for the whole program (cipher tables),
    // and Windows keeps a few objects it makes at its first repaints.
    for (const char* key : stages) ASSERT_EQ(runCancelledAt(key), WorkerEnd::Cancelled) << key;
    const size_t committed = testing::committedBytes();
    const size_t objects = testing::gdiObjectCount();
    ASSERT_GT(objects, 0u);

    // Windows may still make one of those later, at a moment of its own; a
    // leak is what grows with every run, so it shows as many times as runs.
    constexpr size_t kRuns = 8;
    for (const char* key : stages) {
        for (size_t i = 0; i < kRuns; ++i) {
            ASSERT_EQ(runCancelledAt(key), WorkerEnd::Cancelled) << key;
            ASSERT_FALSE(pictures.encryptedImage) << key;
            ASSERT_EQ(watch.texts.back(), translate(key)) << key << ": the worker went on after Cancel";
        }
        EXPECT_LT(testing::gdiObjectCount(), objects + kRuns) << key;
        EXPECT_LT(testing::committedBytes(), committed + pictureBytes / 2) << key;
    }
}

}  // namespace
}  // namespace tessaly
