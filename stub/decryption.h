#pragma once

#include <windows.h>

namespace tessaly {

// The decryption thread, given the password window: deciphers bitmap 105
// with the typed password, then runs the viewer and its message loop until
// the viewer closes, and tells the password window so. A missing or damaged
// bitmap 105 is said in a message instead.
DWORD WINAPI decryptionThread(void* passwordWindow);

}  // namespace tessaly
