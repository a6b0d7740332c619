#include "stub/decryption.h"

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cipher/password_key.h"
#include "cipher/system_crypto.h"
#include "controls/progress_bar_reporter.h"
#include "formats/guarded_picture.h"
#include "image/pixel_stream_cipher.h"
#include "platform/own_resource.h"
#include "resources/peekstub_ids.h"
#include "stub/stub_texts.h"
#include "formats/bitmap_file.h"
#include "formats/bitmap_format.h"
#include "stub/password_window.h"
#include "stub/viewer_window.h"

namespace tessaly {

namespace {

// The stub has no language file: the same word in both languages.
void tellInBothLanguages(HWND owner, int spanishId, int englishId)
{
    const std::string text = stubText(spanishId) + "\n\n" + stubText(englishId);
    MessageBoxA(owner, text.c_str(), "Error", MB_OK | MB_ICONERROR);
}

// Ends the program as every other way out does, once the user has read why.
DWORD endWithMessage(HWND passwordWindow, int spanishId, int englishId)
{
    tellInBothLanguages(passwordWindow, spanishId, englishId);
    PostMessageA(passwordWindow, WM_VIEWER_CLOSED, 0, 0);
    return 0;
}

// What is made before the password is known: under Wine, making the viewer,
// first touching the readable picture's memory, taking a guarded file's
// stream from its rows and loading the system's cryptography each take
// about as long as deciphering a large picture. The pictures belong here, not to the viewer, so they outlive it
// however it goes.
struct ViewerSetup {
    PackedDib dib;
    ViewerPictures pictures;
    uint8_t* readableRows = nullptr;
    // A guarded file's sealed stream, ready for its password.
    bool guarded = false;
    GuardedStream sealed;
    HWND viewer = nullptr;
    // The message pair that is shown instead when no viewer could be made.
    int spanishError = IDS_NO_PICTURE_SPANISH;
    int englishError = IDS_NO_PICTURE_ENGLISH;
};

void tellInstead(ViewerSetup& setup, int spanishError, int englishError)
{
    setup.spanishError = spanishError;
    setup.englishError = englishError;
}

// The cover is the enciphered picture's rows where the resource holds them.
void prepareViewer(HWND passwordWindow, ViewerSetup& setup)
{
    const std::string_view resource = ownResource(RT_BITMAP, MAKEINTRESOURCEA(IDB_ENCRYPTED_IMAGE));
    const std::optional<PackedDib> dib = readPackedDib(resource);
    if (!dib) return;
    setup.dib = *dib;
    ImageRows readable;
    setup.pictures.readable.reset(createImage(dib->width, dib->height, &readable));
    if (!setup.pictures.readable) return tellInstead(setup, IDS_TOO_LARGE_SPANISH, IDS_TOO_LARGE_ENGLISH);
    // Its pages are had now rather than one by one while deciphering.
    std::memset(readable.rows, 0, bitmapPixelBytes(dib->width, dib->height));
    setup.readableRows = readable.rows;
    setup.pictures.coverRows = reinterpret_cast<const uint8_t*>(resource.data() + dib->rowsOffset);
    const std::string_view guardedHeader = ownResource(RT_RCDATA, MAKEINTRESOURCEA(IDR_GUARDED_HEADER));
    setup.guarded = !guardedHeader.empty();
    if (setup.guarded) {
        const GuardResult read = setup.sealed.read(guardedHeader, setup.pictures.coverRows, dib->width, dib->height);
        if (read == GuardResult::OutOfMemory) return tellInstead(setup, IDS_TOO_LARGE_SPANISH, IDS_TOO_LARGE_ENGLISH);
        if (read != GuardResult::Done) return;
        // The key is derived right after OK: the system's cryptography,
        // slow to load the first time, is loaded now.
        loadSystemCrypto();
    }
    setup.viewer = createViewerWindow(passwordWindow, setup.pictures);
    tellInstead(setup, IDS_NO_VIEWER_SPANISH, IDS_NO_VIEWER_ENGLISH);
}

// Until OK, the hidden viewer's messages are answered; false when the
// password window went away instead.
bool waitForPassword(DecryptionJob& job)
{
    HANDLE given = job.passwordGiven.get();
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(1, &given, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) return !job.abandoned.load();
        if (woken != WAIT_OBJECT_0 + 1) return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return false;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

enum class Deciphered { Shown, NoPicture, TooLarge, WrongPassword };

// The key derivation tells no progress: the bar runs as a marquee meanwhile.
void showBusy(HWND bar, bool busy)
{
    const LONG_PTR style = GetWindowLongPtrA(bar, GWL_STYLE);
    SetWindowLongPtrA(bar, GWL_STYLE, busy ? style | PBS_MARQUEE : style & ~static_cast<LONG_PTR>(PBS_MARQUEE));
    SendMessageA(bar, PBM_SETMARQUEE, busy ? TRUE : FALSE, 0);
}

// A guarded file: the picture's pixel stream sealed under a key derived
// from the password, checked as a whole before any of it is shown.
Deciphered openGuarded(DecryptionJob& job, ViewerSetup& setup)
{
    HWND bar = GetDlgItem(job.passwordWindow, IDC_STUB_PROGRESS);
    showBusy(bar, true);
    const GuardResult result = setup.sealed.open(job.password, setup.readableRows);
    showBusy(bar, false);
    wipeString(job.password);
    switch (result) {
    case GuardResult::Done:
        return Deciphered::Shown;
    case GuardResult::WrongPassword:
        return Deciphered::WrongPassword;
    case GuardResult::OutOfMemory:
        return Deciphered::TooLarge;
    case GuardResult::Damaged:
    case GuardResult::Unavailable:
        break;
    }
    return Deciphered::NoPicture;
}

// With the given password, which is wiped as soon as the cipher holds its
// key (or the seal is opened): bitmap 105's rows in the resource into the
// readable picture's rows, in one pass.
Deciphered decipher(DecryptionJob& job, ViewerSetup& setup)
{
    if (setup.guarded) return openGuarded(job, setup);

    RijndaelCipher cipher;
    const bool keyed = keyWithPassword(cipher, job.password);
    wipeString(job.password);
    if (!keyed) return Deciphered::NoPicture;
    ProgressBarReporter bar(GetDlgItem(job.passwordWindow, IDC_STUB_PROGRESS));
    switch (cipherPixelStream(cipher, CipherDirection::Decrypt, setup.pictures.coverRows, setup.readableRows,
                              setup.dib.width, setup.dib.height, &bar)) {
    case PixelCipherResult::Done:
        return Deciphered::Shown;
    case PixelCipherResult::OutOfMemory:
        return Deciphered::TooLarge;
    case PixelCipherResult::Stopped:
        break;
    }
    return Deciphered::NoPicture;
}

// Told here, so the prompt comes back only once the message is read.
void refusePassword(HWND passwordWindow)
{
    char title[256] = {};
    GetWindowTextA(passwordWindow, title, sizeof title);
    MessageBoxA(passwordWindow, stubText(IDS_WRONG_PASSWORD).c_str(), title, MB_OK | MB_ICONWARNING);
    PostMessageA(passwordWindow, WM_PASSWORD_REFUSED, 0, 0);
}

DWORD runViewer(HWND passwordWindow, HWND viewer)
{
    ShowWindow(viewer, SW_SHOW);
    ShowWindow(passwordWindow, SW_HIDE);
    SetForegroundWindow(viewer);
    HACCEL keys = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_SPOTLIGHT_KEYS));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsWindow(viewer) && TranslateAcceleratorA(viewer, keys, &message)) continue;
        if (IsWindow(viewer) && IsDialogMessageA(viewer, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (IsWindow(viewer)) DestroyWindow(viewer);
    PostMessageA(passwordWindow, WM_VIEWER_CLOSED, 0, 0);
    return 1;
}

// Whatever stops the viewer from showing, it must not stay behind hidden.
DWORD endWithoutViewer(HWND passwordWindow, HWND viewer, int spanishId, int englishId)
{
    if (IsWindow(viewer)) DestroyWindow(viewer);
    return endWithMessage(passwordWindow, spanishId, englishId);
}

}  // namespace

DWORD WINAPI decryptionThread(void* parameter)
{
    const std::unique_ptr<std::shared_ptr<DecryptionJob>> share(
        static_cast<std::shared_ptr<DecryptionJob>*>(parameter));
    DecryptionJob& job = **share;
    ViewerSetup setup;
    prepareViewer(job.passwordWindow, setup);
    while (waitForPassword(job)) {
        if (!setup.viewer) {
            wipeString(job.password);
            return endWithMessage(job.passwordWindow, setup.spanishError, setup.englishError);
        }
        switch (decipher(job, setup)) {
        case Deciphered::Shown:
            return runViewer(job.passwordWindow, setup.viewer);
        case Deciphered::WrongPassword:
            refusePassword(job.passwordWindow);
            break;
        case Deciphered::TooLarge:
            return endWithoutViewer(job.passwordWindow, setup.viewer, IDS_TOO_LARGE_SPANISH, IDS_TOO_LARGE_ENGLISH);
        case Deciphered::NoPicture:
            return endWithoutViewer(job.passwordWindow, setup.viewer, IDS_NO_PICTURE_SPANISH, IDS_NO_PICTURE_ENGLISH);
        }
    }
    if (IsWindow(setup.viewer)) DestroyWindow(setup.viewer);
    return 0;
}

}  // namespace tessaly
