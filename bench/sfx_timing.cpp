// A timing program for the Windows build (run under Wine): building a
// self-extracting file, and the built file's time from OK to the viewer
// shown, for a 600 x 400 and a 2000 x 8000 picture, each next to the bare
// cipher on the same bytes in the same run; then the same for guarded
// files, beside the key derivation and AES-GCM on the same bytes.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "cipher/password_key.h"
#include "cipher/system_crypto.h"
#include "formats/sealed_headers.h"
#include "formats/guarded_picture.h"
#include "formats/pixel_stream.h"
#include "image/pixel_stream_cipher.h"
#include "platform/win32_handles.h"
#include "resources/peekstub_ids.h"
#include "sfx/self_extractor.h"
#include "formats/bitmap_file.h"
#include "formats/bitmap_format.h"

namespace {

using tessaly::BitmapHandle;
using tessaly::bench::bestOf;
using tessaly::bench::secondsOf;

constexpr char kPassword[] = "a bench password";
constexpr char kTitle[] = "Corvale Stub";

BitmapHandle pictureOf(uint32_t width, uint32_t height)
{
    tessaly::ImageRows rows;
    BitmapHandle picture(tessaly::createImage(width, height, &rows));
    const uint64_t bytes = tessaly::bitmapPixelBytes(width, height);
    for (uint64_t i = 0; i < bytes; ++i) rows.rows[i] = static_cast<uint8_t>(i * 131 + (i >> 9));
    return picture;
}

double bareCipher(HBITMAP picture)
{
    tessaly::ImageRows in;
    tessaly::imageRows(picture, in);
    std::vector<uint8_t> stream(tessaly::pixelStreamBytes(in.width, in.height));
    tessaly::pixelStreamFromRows(in.rows, in.width, in.height, stream.data());
    tessaly::RijndaelCipher cipher;
    if (!tessaly::keyWithPassword(cipher, kPassword)) return 0;
    return bestOf([&] { cipher.decryptBuffer(stream.data(), stream.size()); });
}

// A window of the process with the stub's title other than `other`, shown
// or hidden.
HWND windowOf(DWORD processId, HWND other, bool visible)
{
    struct Search {
        DWORD processId;
        HWND other;
        bool visible;
        HWND found;
    } search{processId, other, visible, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char title[64] = {};
            GetWindowTextA(window, title, sizeof title);
            if (owner == s->processId && window != s->other && (IsWindowVisible(window) != FALSE) == s->visible &&
                std::string(title) == kTitle) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// From OK in the built file's prompt to its viewer on the screen.
double okToViewer(const std::string& path)
{
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return -1;
    }
    tessaly::KernelHandle process(info.hProcess), thread(info.hThread);
    HWND prompt = nullptr;
    for (int i = 0; i < 2000 && !prompt; ++i, Sleep(5)) prompt = windowOf(info.dwProcessId, nullptr, true);
    if (!prompt) {
        TerminateProcess(process.get(), 1);
        return -1;
    }
    // A person takes a moment to type the password; the viewer prepares
    // meanwhile, hidden, as it does for them.
    Sleep(500);
    HWND viewer = windowOf(info.dwProcessId, prompt, false);
    if (!viewer) {
        TerminateProcess(process.get(), 1);
        return -1;
    }
    SendDlgItemMessageA(prompt, IDC_STUB_PASSWORD, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kPassword));
    // Only the viewer is watched: a search through every window at each
    // turn would take from the stub's own share of the processors.
    const double seconds = secondsOf([&] {
        PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDC_STUB_OK, BN_CLICKED), 0);
        while (!IsWindowVisible(viewer)) Sleep(1);
    });
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.get(), 10000);
    return seconds;
}

void measure(uint32_t width, uint32_t height, const std::string& folder)
{
    BitmapHandle picture = pictureOf(width, height);
    const std::string path = folder + "\\bench-" + std::to_string(width) + ".exe";
    tessaly::SelfExtractorContent content{path, "Password:", "OK", "Cancel", "Please wait...", 20, true, "", ""};
    const double cipher = bareCipher(picture.get());
    const double build = bestOf([&] { (void)tessaly::buildSelfExtractor(picture.get(), content); });
    double viewer = 1e9;
    for (int i = 0; i < 3; ++i) {
        const double once = okToViewer(path);
        if (once >= 0 && once < viewer) viewer = once;
    }
    std::printf("  %5u x %5u: bare cipher %8.1f ms | build %8.1f ms (%5.2f x) | OK to viewer %8.1f ms (%5.2f x)\n",
                width, height, cipher * 1e3, build * 1e3, build / cipher, viewer * 1e3, viewer / cipher);
    DeleteFileA(path.c_str());
}

double gcmOn(HBITMAP picture)
{
    tessaly::ImageRows in;
    tessaly::imageRows(picture, in);
    std::vector<uint8_t> stream(tessaly::pixelStreamBytes(in.width, in.height));
    const uint8_t key[32] = {3}, nonce[12] = {4};
    uint8_t tag[16];
    return bestOf([&] { (void)tessaly::gcmEncrypt({key, nonce, ""}, stream.data(), stream.size(), tag); });
}

void measureGuarded(uint32_t width, uint32_t height, const std::string& folder, double derivation)
{
    BitmapHandle picture = pictureOf(width, height);
    const std::string path = folder + "\\bench-guarded-" + std::to_string(width) + ".exe";
    tessaly::GuardedPicture guarded;
    tessaly::GuardResult guardedResult = tessaly::GuardResult::Unavailable;
    const double seal = secondsOf([&] { guardedResult = tessaly::guardPicture(picture.get(), kPassword, guarded); });
    tessaly::SelfExtractorContent content{path, "Password:", "OK",           "Cancel", "Please wait...",
                                          20,   true,        guarded.header, "Wrong"};
    if (guardedResult != tessaly::GuardResult::Done ||
        tessaly::buildSelfExtractor(guarded.sealed.get(), content) != tessaly::SelfExtractorResult::Built) {
        std::printf("  %5u x %5u: the guarded file could not be made\n", width, height);
        return;
    }
    const double cipher = bareCipher(picture.get());
    const double gcm = gcmOn(picture.get());
    double viewer = 1e9;
    for (int i = 0; i < 3; ++i) {
        const double once = okToViewer(path);
        if (once >= 0 && once < viewer) viewer = once;
    }
    const double target = derivation + 3 * gcm;
    std::printf("  %5u x %5u: bare cipher %7.1f ms | GCM %7.1f ms | sealing %8.1f ms | OK to viewer %8.1f ms "
                "(target %8.1f ms: %s)\n",
                width, height, cipher * 1e3, gcm * 1e3, seal * 1e3, viewer * 1e3, target * 1e3,
                viewer <= target ? "met" : "NOT met");
    DeleteFileA(path.c_str());
}

}  // namespace

int main()
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::printf("Self-extracting files, best of 3:\n");
    measure(600, 400, folder);
    measure(2000, 8000, folder);

    uint8_t salt[16] = {5}, key[32];
    const double derivation = bestOf(
        [&] { tessaly::derivePbkdf2Sha256(kPassword, salt, sizeof salt, tessaly::kSealIterations, key, 32); });
    std::printf("Guarded self-extracting files, best of 3 (key derivation %.1f ms; target: derivation + 3 x GCM):\n",
                derivation * 1e3);
    measureGuarded(600, 400, folder, derivation);
    measureGuarded(2000, 8000, folder, derivation);
    return 0;
}
