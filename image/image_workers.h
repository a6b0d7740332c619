#pragma once

#include <windows.h>

namespace tessaly {

// Thread entries run behind the progress window, each given its EncryptJob:
// runEncryptJob enciphers the plain picture into the encrypted slot,
// decryptWorker deciphers the encrypted picture into the plain slot. Each
// empties its target slot first and leaves it empty when cancelled.
DWORD WINAPI runEncryptJob(void* job);
DWORD WINAPI decryptWorker(void* job);

}  // namespace tessaly
