// A timing program for the Windows build (run under Wine): a 4000 × 3000
// picture through encryptImage next to the bare cipher on the same bytes and
// next to a per-pixel GetPixel/SetPixel round trip; Save BMP next to a plain
// write of as many bytes; one spotlight repaint of an 800 × 600 area next to
// a single block copy of that area.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "controls/progress_bar_reporter.h"
#include "cipher/rijndael_cipher.h"
#include "image/cipher_job.h"
#include "image/image_cipher.h"
#include "formats/pixel_stream.h"
#include "formats/bitmap_file.h"
#include "formats/bitmap_format.h"
#include "controls/image_view.h"
#include "platform/win32_handles.h"

namespace {

using tessaly::BitmapHandle;

constexpr uint32_t kWidth = 4000, kHeight = 3000;
constexpr int kAreaWidth = 800, kAreaHeight = 600;
constexpr const char* kPassword = "a password of thirty-five bytes!!xx";

using tessaly::bench::bestOf;
using tessaly::bench::secondsOf;

BitmapHandle randomPicture(unsigned seed)
{
    tessaly::ImageRows rows;
    BitmapHandle picture(tessaly::createImage(kWidth, kHeight, &rows));
    if (!picture) return picture;
    std::mt19937 random(seed);
    const size_t bytes = tessaly::bitmapPixelBytes(kWidth, kHeight);
    for (size_t i = 0; i < bytes; ++i) rows.rows[i] = static_cast<uint8_t>(random());
    return picture;
}

std::vector<uint8_t> streamOf(HBITMAP picture)
{
    tessaly::ImageRows rows;
    tessaly::imageRows(picture, rows);
    std::vector<uint8_t> stream(tessaly::pixelStreamBytes(rows.width, rows.height));
    tessaly::pixelStreamFromRows(rows.rows, rows.width, rows.height, stream.data());
    return stream;
}

// The way pixels moved before the pictures were DIB sections: one call per
// pixel through a memory context, into a bitmap compatible with the screen.
double perPixelRoundTrip(HBITMAP picture)
{
    return secondsOf([&] {
        tessaly::WindowDc screen(nullptr);
        tessaly::MemoryDc source(CreateCompatibleDC(screen.get()));
        tessaly::MemoryDc target(CreateCompatibleDC(screen.get()));
        BitmapHandle copy(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
        tessaly::SelectGuard sourceSelected(source.get(), picture);
        tessaly::SelectGuard targetSelected(target.get(), copy.get());
        std::vector<uint8_t> stream(tessaly::pixelStreamBytes(kWidth, kHeight));
        uint8_t* byte = stream.data();
        for (uint32_t y = 0; y < kHeight; ++y) {
            for (uint32_t x = 0; x < kWidth; ++x, byte += 3) {
                const COLORREF colour = GetPixel(source.get(), x, y);
                byte[0] = GetRValue(colour);
                byte[1] = GetGValue(colour);
                byte[2] = GetBValue(colour);
            }
        }
        byte = stream.data();
        for (uint32_t y = 0; y < kHeight; ++y) {
            for (uint32_t x = 0; x < kWidth; ++x, byte += 3) {
                SetPixel(target.get(), x, y, RGB(byte[0], byte[1], byte[2]));
            }
        }
    });
}

bool timeEncryption(HWND bar)
{
    BitmapHandle plain = randomPicture(1);
    if (!plain) {
        std::printf("cannot make the picture\n");
        return false;
    }
    tessaly::CipherJob job;
    job.password = kPassword;
    tessaly::ProgressBarReporter reporter(bar);
    tessaly::ImageCipherReport report;
    report.progress = &reporter;
    BitmapHandle encrypted;
    const double imageTime = bestOf([&] { encrypted.reset(tessaly::encryptImage(plain.get(), job, report)); });

    std::vector<uint8_t> stream = streamOf(plain.get());
    tessaly::RijndaelCipher cipher;
    cipher.setKey(kPassword, 32);
    std::vector<uint8_t> work = stream;
    cipher.encryptBuffer(work.data(), work.size());
    const bool same = encrypted && streamOf(encrypted.get()) == work;
    // Enciphering the ciphertext again costs the same.
    const double bareCipherTime = bestOf([&] { cipher.encryptBuffer(work.data(), work.size()); });

    // A floor no transform goes below: the first write to a new picture's memory.
    const double freshTime = bestOf([&] {
        tessaly::ImageRows rows;
        BitmapHandle fresh(tessaly::createImage(kWidth, kHeight, &rows));
        std::memset(rows.rows, 0, tessaly::bitmapPixelBytes(kWidth, kHeight));
    });
    const double perPixelTime = perPixelRoundTrip(plain.get());
    std::printf("%u x %u picture, %.1f MB pixel stream\n", kWidth, kHeight, stream.size() / 1e6);
    std::printf("  %-46s %9.1f ms\n", "bare cipher on the stream", bareCipherTime * 1e3);
    std::printf("  %-46s %9.1f ms  %6.2f x bare cipher\n", "first write to a new picture of that size", freshTime * 1e3,
                freshTime / bareCipherTime);
    std::printf("  %-46s %9.1f ms  %6.2f x bare cipher\n", "encryptImage (read, encipher, new picture)",
                imageTime * 1e3, imageTime / bareCipherTime);
    std::printf("  %-46s %9.1f ms  %6.2f x bare cipher\n", "GetPixel/SetPixel round trip, no cipher",
                perPixelTime * 1e3, perPixelTime / bareCipherTime);
    std::printf("  %-46s %s\n", "encryptImage equals the bare cipher", same ? "yes" : "NO");
    return same;
}

bool plainWrite(const std::string& path, const std::string& bytes, bool flush)
{
    tessaly::FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && (!flush || FlushFileBuffers(file.get()));
}

bool timeSave()
{
    BitmapHandle picture = randomPicture(2);
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "tessaly-image-timing.bmp";
    const std::string plainPath = std::string(folder) + "tessaly-image-timing.raw";
    const std::string bytes(tessaly::kBitmapHeaderSize + tessaly::bitmapPixelBytes(kWidth, kHeight), '\x5A');

    bool ok = true;
    const double saveTime = bestOf([&] { ok = tessaly::writeBitmapFile(picture.get(), path) && ok; });
    const double writeTime = bestOf([&] { ok = plainWrite(plainPath, bytes, false) && ok; });
    const double flushedTime = bestOf([&] { ok = plainWrite(plainPath, bytes, true) && ok; });
    DeleteFileA(path.c_str());
    DeleteFileA(plainPath.c_str());

    std::printf("Save BMP of that picture, %.1f MB\n", bytes.size() / 1e6);
    std::printf("  %-46s %9.1f ms\n", "plain write of as many bytes", writeTime * 1e3);
    std::printf("  %-46s %9.1f ms  %6.2f x plain write\n", "plain write, flushed to the disk", flushedTime * 1e3,
                flushedTime / writeTime);
    std::printf("  %-46s %9.1f ms  %6.2f x plain write  %6.2f x flushed\n", "writeBitmapFile (flushed, replacing)",
                saveTime * 1e3, saveTime / writeTime, saveTime / flushedTime);
    return ok;
}

LRESULT CALLBACK areaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

bool timeSpotlight(HWND area)
{
    BitmapHandle plain = randomPicture(3);
    BitmapHandle cover = randomPicture(4);
    tessaly::WindowDc dc(area);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.hDC = dc.get();
    item.rcItem = {0, 0, kAreaWidth, kAreaHeight};
    tessaly::ImageViewState view;
    tessaly::SpotlightCanvas kept;
    view.spotlightRadius = 60;
    view.offsetX = 1000;
    view.offsetY = 700;
    const auto white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));

    constexpr int kRepaints = 200;
    const double spotlightTime = secondsOf([&] {
                                     for (int i = 0; i < kRepaints; ++i) {
                                         const POINT mouse{(i * 37) % kAreaWidth, (i * 23) % kAreaHeight};
                                         tessaly::drawSpotlightView(item, plain.get(),
                                                                    tessaly::SpotlightCover{cover.get(), 0}, mouse,
                                                                    view, white, kept);
                                         GdiFlush();
                                     }
                                 }) /
                                 kRepaints;

    tessaly::MemoryDc source(CreateCompatibleDC(dc.get()));
    tessaly::SelectGuard selected(source.get(), plain.get());
    const double copyTime = secondsOf([&] {
                                for (int i = 0; i < kRepaints; ++i) {
                                    BitBlt(dc.get(), 0, 0, kAreaWidth, kAreaHeight, source.get(), i, i, SRCCOPY);
                                    GdiFlush();
                                }
                            }) /
                            kRepaints;

    std::printf("Spotlight repaint of an %d x %d area, mean of %d\n", kAreaWidth, kAreaHeight, kRepaints);
    std::printf("  %-46s %9.2f ms\n", "one block copy of the area to the window", copyTime * 1e3);
    std::printf("  %-46s %9.2f ms  %6.2f x one block copy\n", "drawSpotlightView (cover, disc, canvas)",
                spotlightTime * 1e3, spotlightTime / copyTime);
    return true;
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA areaClass{};
    areaClass.lpfnWndProc = areaProc;
    areaClass.hInstance = instance;
    areaClass.lpszClassName = "TessalyTimingArea";
    RegisterClassA(&areaClass);
    RECT frame{0, 0, kAreaWidth, kAreaHeight};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND area = CreateWindowA("TessalyTimingArea", "image timing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    HWND bar = CreateWindowA(PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, area, nullptr, instance,
                             nullptr);
    if (!area || !bar) {
        std::printf("cannot create the timing window\n");
        return 1;
    }
    UpdateWindow(area);
    bool ok = timeEncryption(bar);
    ok = timeSave() && ok;
    ok = timeSpotlight(area) && ok;
    DestroyWindow(area);
    return ok ? 0 : 1;
}
