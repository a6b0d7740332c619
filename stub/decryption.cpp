#include "stub/decryption.h"

#include <cstring>
#include <string>
#include <string_view>

#include "cipher/password_key.h"
#include "cipher/progress_bar_reporter.h"
#include "image/pixel_stream_cipher.h"
#include "platform/own_resource.h"
#include "platform/secure_wipe.h"
#include "platform/window_text.h"
#include "resources/peekstub_ids.h"
#include "stub/stub_texts.h"
#include "formats/bitmap_file.h"
#include "formats/bitmap_format.h"
#include "stub/password_window.h"
#include "stub/viewer_window.h"

namespace tessaly {

namespace {

void tellNothingToShow(HWND passwordWindow)
{
    const std::string text = stubText(IDS_NO_PICTURE_SPANISH) + "\n\n" + stubText(IDS_NO_PICTURE_ENGLISH);
    // The same word in both languages.
    MessageBoxA(passwordWindow, text.c_str(), "Error", MB_OK | MB_ICONERROR);
}

// The cover: the enciphered picture as it is stored. The readable picture:
// its rows deciphered with the typed password, which is wiped as soon as the
// cipher holds its key.
bool decipher(HWND passwordWindow, std::string_view resource, const PackedDib& dib, ViewerPictures& pictures)
{
    const auto* rows = reinterpret_cast<const uint8_t*>(resource.data() + dib.rowsOffset);
    ImageRows cover, readable;
    pictures.cover.reset(createImage(dib.width, dib.height, &cover));
    pictures.readable.reset(createImage(dib.width, dib.height, &readable));
    if (!pictures.cover || !pictures.readable) return false;
    std::memcpy(cover.rows, rows, bitmapPixelBytes(dib.width, dib.height));

    RijndaelCipher cipher;
    HWND field = GetDlgItem(passwordWindow, IDC_STUB_PASSWORD);
    std::string password = readWindowText(field);
    const bool keyed = keyWithPassword(cipher, password);
    wipeString(password);
    // The hidden prompt stays for the whole viewer session: its field must
    // not keep the password meanwhile.
    wipeWindowText(field);
    if (!keyed) return false;
    ProgressBarReporter bar(GetDlgItem(passwordWindow, IDC_STUB_PROGRESS));
    return cipherPixelStream(cipher, CipherDirection::Decrypt, rows, readable.rows, dib.width, dib.height, &bar) ==
           PixelCipherResult::Done;
}

}  // namespace

DWORD WINAPI decryptionThread(void* parameter)
{
    auto passwordWindow = static_cast<HWND>(parameter);
    // Bitmap 105, the enciphered picture, as the resource holds it.
    const std::string_view resource = ownResource(MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(IDB_ENCRYPTED_IMAGE));
    const auto dib = readPackedDib(resource);
    ViewerPictures pictures;
    if (!dib || !decipher(passwordWindow, resource, *dib, pictures)) {
        tellNothingToShow(passwordWindow);
        PostMessageA(passwordWindow, WM_VIEWER_CLOSED, 0, 0);
        return 0;
    }
    ShowWindow(passwordWindow, SW_HIDE);
    HWND viewer = createViewerWindow(passwordWindow, std::move(pictures));
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
