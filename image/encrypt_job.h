#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/secure_wipe.h"
#include "platform/win32_handles.h"
#include "sfx/self_extractor.h"

namespace tessaly {

// What the Encrypt and Decrypt dialogs hand to their workers; the dialog owns
// it until the progress window has closed.
struct EncryptJob {
    std::string password;  // as typed, at most 35 characters
    bool createExe = false;
    std::string exePath;
    // The picture to transform; its owner keeps it while the worker runs.
    HBITMAP source = nullptr;
    // Takes the result into its slot (an empty handle empties the slot). The
    // worker calls it on the window's thread only.
    std::function<void(BitmapHandle)> publish;
    // How the self-extracting file's viewer starts its spotlight.
    int spotlightRadius = 20;
    bool spotlightOn = true;
    // Set by the worker when it was asked to build a self-extracting file.
    SelfExtractorResult built = SelfExtractorResult::Built;

    EncryptJob() = default;
    EncryptJob(const EncryptJob&) = delete;
    EncryptJob& operator=(const EncryptJob&) = delete;
    ~EncryptJob() { wipeString(password); }
};

}  // namespace tessaly
