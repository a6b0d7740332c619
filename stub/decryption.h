#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "platform/secure_wipe.h"
#include "platform/win32_handles.h"

namespace tessaly {

// What the password window and its decryption thread share. The window
// makes it, starts the thread with a share of it as the window opens, and
// hands over each confirmed password through it; it may go before the
// thread ends.
struct DecryptionJob {
    HWND passwordWindow = nullptr;
    // Set for each confirmed password, and once more when the window goes.
    KernelHandle passwordGiven;
    // Read from the field on OK; wiped by the thread as soon as it is used.
    std::string password;
    std::atomic<bool> abandoned{false};

    ~DecryptionJob() { wipeString(password); }
};

// The decryption thread, given a heap-made std::shared_ptr<DecryptionJob>
// that it takes over. While the password is typed it makes the viewer,
// hidden, for bitmap 105; with each given password it deciphers the
// picture, then shows the viewer and runs its message loop until it closes,
// and tells the password window so. A missing or damaged bitmap 105 is said
// in a message instead; a guarded file's wrong password sends the window
// back to its prompt.
DWORD WINAPI decryptionThread(void* job);

}  // namespace tessaly
