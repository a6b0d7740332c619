#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

#include "platform/progress.h"
#include "image/cipher_job.h"

namespace tessaly {

// How a picture transform reports: a status text by its language key, the
// cipher's progress (which may stop the run), a flag that stops it between
// stages, and why it gave no picture.
struct ImageCipherReport {
    std::function<void(const char* key)> status;
    Progress* progress = nullptr;
    const std::atomic<bool>* cancelled = nullptr;
    bool outOfMemory = false;
};

// A new picture of the same size holding the enciphered (deciphered) pixel
// stream of `source`, keyed with the job's password and 32-byte blocks; the
// source is not changed. nullptr when the run was stopped, when
// memory ran out (report.outOfMemory) or when there is no source.
HBITMAP encryptImage(HBITMAP source, const CipherJob& job, ImageCipherReport& report);
HBITMAP decryptImage(HBITMAP source, const CipherJob& job, ImageCipherReport& report);

}  // namespace tessaly
