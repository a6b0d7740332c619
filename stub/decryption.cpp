#include "stub/decryption.h"

#include <commctrl.h>

#include <string>
#include <string_view>

#include "cipher/password_key.h"
#include "cipher/progress_bar_reporter.h"
#include "image/guarded_picture.h"
#include "image/pixel_stream_cipher.h"
#include "platform/own_resource.h"
#include "platform/secure_wipe.h"
#include "platform/win32_handles.h"
#include "platform/window_text.h"
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

enum class Deciphered { Shown, NoPicture, TooLarge, WrongPassword };

// The typed password, read and then wiped from the field: the hidden prompt
// stays for the whole viewer session and must not keep it meanwhile.
std::string takePassword(HWND passwordWindow)
{
    HWND field = GetDlgItem(passwordWindow, IDC_STUB_PASSWORD);
    std::string password = readWindowText(field);
    wipeWindowText(field);
    return password;
}

// The key derivation tells no progress: the bar runs as a marquee meanwhile.
void showBusy(HWND bar, bool busy)
{
    const LONG_PTR style = GetWindowLongPtrA(bar, GWL_STYLE);
    SetWindowLongPtrA(bar, GWL_STYLE, busy ? style | PBS_MARQUEE : style & ~static_cast<LONG_PTR>(PBS_MARQUEE));
    SendMessageA(bar, PBM_SETMARQUEE, busy ? TRUE : FALSE, 0);
}

// A guarded file: the picture's pixel stream sealed under a key derived
// from the password, checked as a whole before any of it is shown.
Deciphered openGuarded(HWND passwordWindow, std::string_view header, const uint8_t* rows, const PackedDib& dib,
                       uint8_t* readable)
{
    std::string password = takePassword(passwordWindow);
    HWND bar = GetDlgItem(passwordWindow, IDC_STUB_PROGRESS);
    showBusy(bar, true);
    const GuardResult result = openGuardedPicture(header, rows, dib.width, dib.height, password, readable);
    showBusy(bar, false);
    wipeString(password);
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

// One deciphering, on a thread of its own while the viewer is made: the
// picture's rows in the resource into the readable picture's rows.
struct DecipherJob {
    HWND passwordWindow;
    const PackedDib& dib;
    const uint8_t* rows;
    uint8_t* readable;
    Deciphered result = Deciphered::NoPicture;
};

// With the typed password, which is wiped as soon as the cipher holds its
// key (or the seal is opened), in one pass.
Deciphered decipher(const DecipherJob& job)
{
    const std::string_view guardedHeader = ownResource(RT_RCDATA, MAKEINTRESOURCEA(IDR_GUARDED_HEADER));
    if (!guardedHeader.empty()) return openGuarded(job.passwordWindow, guardedHeader, job.rows, job.dib, job.readable);

    RijndaelCipher cipher;
    std::string password = takePassword(job.passwordWindow);
    const bool keyed = keyWithPassword(cipher, password);
    wipeString(password);
    if (!keyed) return Deciphered::NoPicture;
    ProgressBarReporter bar(GetDlgItem(job.passwordWindow, IDC_STUB_PROGRESS));
    switch (cipherPixelStream(cipher, CipherDirection::Decrypt, job.rows, job.readable, job.dib.width, job.dib.height,
                              &bar)) {
    case PixelCipherResult::Done:
        return Deciphered::Shown;
    case PixelCipherResult::OutOfMemory:
        return Deciphered::TooLarge;
    case PixelCipherResult::Stopped:
        break;
    }
    return Deciphered::NoPicture;
}

DWORD WINAPI decipherThread(void* parameter)
{
    auto* job = static_cast<DecipherJob*>(parameter);
    job->result = decipher(*job);
    return 0;
}

// Ends the program as every other way out does, once the user has read why.
DWORD endWithMessage(HWND passwordWindow, int spanishId, int englishId)
{
    tellInBothLanguages(passwordWindow, spanishId, englishId);
    PostMessageA(passwordWindow, WM_VIEWER_CLOSED, 0, 0);
    return 0;
}

}  // namespace

// The cover is the enciphered picture's rows where the resource holds them.
// Making the viewer's window takes about as long as deciphering a large
// picture: it is made, hidden, meanwhile.
DWORD WINAPI decryptionThread(void* parameter)
{
    auto passwordWindow = static_cast<HWND>(parameter);
    // Bitmap 105, the enciphered picture, as the resource holds it.
    const std::string_view resource = ownResource(MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(IDB_ENCRYPTED_IMAGE));
    const auto dib = readPackedDib(resource);
    if (!dib) return endWithMessage(passwordWindow, IDS_NO_PICTURE_SPANISH, IDS_NO_PICTURE_ENGLISH);
    ViewerPictures pictures;
    ImageRows readable;
    pictures.readable.reset(createImage(dib->width, dib->height, &readable));
    if (!pictures.readable) return endWithMessage(passwordWindow, IDS_TOO_LARGE_SPANISH, IDS_TOO_LARGE_ENGLISH);
    pictures.coverRows = reinterpret_cast<const uint8_t*>(resource.data() + dib->rowsOffset);

    DecipherJob job{passwordWindow, *dib, pictures.coverRows, readable.rows};
    KernelHandle worker(CreateThread(nullptr, 0, decipherThread, &job, 0, nullptr));
    if (!worker) decipherThread(&job);
    HWND viewer = createViewerWindow(passwordWindow, pictures);
    // The readable picture is written until the worker ends, whichever
    // window holds it by then.
    if (worker) WaitForSingleObject(worker.get(), INFINITE);
    if (job.result != Deciphered::Shown && viewer) DestroyWindow(viewer);
    if (job.result == Deciphered::WrongPassword) {
        // Told here, so the prompt comes back only once the message is read.
        char title[256] = {};
        GetWindowTextA(passwordWindow, title, sizeof title);
        MessageBoxA(passwordWindow, stubText(IDS_WRONG_PASSWORD).c_str(), title, MB_OK | MB_ICONWARNING);
        PostMessageA(passwordWindow, WM_PASSWORD_REFUSED, 0, 0);
        return 0;
    }
    if (job.result == Deciphered::TooLarge) {
        return endWithMessage(passwordWindow, IDS_TOO_LARGE_SPANISH, IDS_TOO_LARGE_ENGLISH);
    }
    if (job.result == Deciphered::NoPicture) {
        return endWithMessage(passwordWindow, IDS_NO_PICTURE_SPANISH, IDS_NO_PICTURE_ENGLISH);
    }
    if (!viewer) return endWithMessage(passwordWindow, IDS_NO_VIEWER_SPANISH, IDS_NO_VIEWER_ENGLISH);
    ShowWindow(passwordWindow, SW_HIDE);
    ShowWindow(viewer, SW_SHOW);
    SetForegroundWindow(viewer);
    HACCEL keys = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_SPOTLIGHT_KEYS));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (viewer && IsWindow(viewer) && TranslateAcceleratorA(viewer, keys, &message)) continue;
        if (viewer && IsWindow(viewer) && IsDialogMessageA(viewer, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    PostMessageA(passwordWindow, WM_VIEWER_CLOSED, 0, 0);
    return 1;
}

}  // namespace tessaly
