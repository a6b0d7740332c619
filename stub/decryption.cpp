#include "stub/decryption.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "cipher/password_key.h"
#include "platform/text_codec.h"
#include "controls/progress_bar_reporter.h"
#include "image/pixel_stream_cipher.h"
#include "resources/peekstub_ids.h"
#include "stub/password_window.h"
#include "stub/stub_texts.h"
#include "stub/viewer_loop.h"
#include "stub/viewer_setup.h"

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

// Until OK, the hidden viewer's messages are answered; false when the
// password window went away instead.
bool waitForPassword(DecryptionJob& job)
{
    HANDLE given = job.passwordGiven.get();
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(1, &given, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) return !job.abandoned.load();
        if (woken != WAIT_OBJECT_0 + 1) return false;
        // The "W" forms: a character typed in any script reaches the
        // password field whole, not through the code page of an "A" loop.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return false;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

enum class Deciphered { Shown, NoPicture, TooLarge, WrongPassword, NoCrypto };

// A guarded file: the picture's pixel stream sealed under a key derived
// from the password, checked as a whole before any of it is shown.
Deciphered openGuarded(DecryptionJob& job, ViewerSetup& setup)
{
    HWND bar = GetDlgItem(job.passwordWindow, IDC_STUB_PROGRESS);
    showMarquee(bar, true);
    const GuardResult result = setup.sealed.open(job.password, setup.readableRows);
    showMarquee(bar, false);
    wipeString(job.password);
    switch (result) {
    case GuardResult::Done:
        return Deciphered::Shown;
    case GuardResult::WrongPassword:
        return Deciphered::WrongPassword;
    case GuardResult::OutOfMemory:
        return Deciphered::TooLarge;
    case GuardResult::Unavailable:
        return Deciphered::NoCrypto;
    case GuardResult::Damaged:
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

    // Keyed with the password's code-page bytes. A password the code page
    // lacks cannot have made the picture: keyed with its UTF-8 instead, it
    // shows noise as any wrong password does, where the code page's "?"s
    // would open a picture made under another password of its shape.
    RijndaelCipher cipher;
    std::string legacy;
    const bool fits = codePagePassword(job.password, legacy);
    const bool keyed = keyWithPassword(cipher, fits ? legacy : job.password);
    wipeString(job.password);
    wipeString(legacy);
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

// Whatever stops the viewer from showing, it must not stay behind hidden.
DWORD endWithoutViewer(HWND passwordWindow, ViewerSetup& setup, int spanishId, int englishId)
{
    setup.dropViewer();
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
    // A file that cannot be shown says so before a password is typed for it.
    if (!setup.viewer) return endWithMessage(job.passwordWindow, setup.spanishError, setup.englishError);
    while (waitForPassword(job)) {
        switch (decipher(job, setup)) {
        case Deciphered::Shown:
            runViewerLoop(job.passwordWindow, setup.viewer->window());
            setup.dropViewer();
            PostMessageA(job.passwordWindow, WM_VIEWER_CLOSED, 0, 0);
            return 1;
        case Deciphered::WrongPassword:
            refusePassword(job.passwordWindow);
            break;
        case Deciphered::TooLarge:
            return endWithoutViewer(job.passwordWindow, setup, IDS_TOO_LARGE_SPANISH, IDS_TOO_LARGE_ENGLISH);
        case Deciphered::NoPicture:
            return endWithoutViewer(job.passwordWindow, setup, IDS_NO_PICTURE_SPANISH, IDS_NO_PICTURE_ENGLISH);
        case Deciphered::NoCrypto:
            return endWithoutViewer(job.passwordWindow, setup, IDS_NO_CRYPTO_SPANISH, IDS_NO_CRYPTO_ENGLISH);
        }
    }
    return 0;
}

}  // namespace tessaly
