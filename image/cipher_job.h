#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "controls/image_view.h"
#include "platform/secure_wipe.h"
#include "platform/win32_handles.h"
#include "sfx/self_extractor.h"

namespace tessaly {

// One run of the encrypt or the decrypt worker. The main window makes it
// with the picture and the slot the result goes to; the Encrypt or Decrypt
// dialog adds the password (and the self-extracting file) and runs the
// worker. It outlives the worker.
struct CipherJob {
    // The picture to transform; its owner keeps it while the worker runs.
    HBITMAP source = nullptr;
    // Takes the result into its slot (an empty handle empties the slot). The
    // worker calls it on the window's thread only.
    std::function<void(BitmapHandle)> publish;
    // How the self-extracting file's viewer starts its spotlight.
    int spotlightRadius = kDefaultSpotlightRadius;
    bool spotlightOn = true;

    // As typed, in UTF-8, at most 35 characters.
    std::string password;
    bool createExe = false;
    // The self-extracting file holds the picture sealed under a key derived
    // from the password, rather than the enciphered picture; no enciphered
    // picture is made then, and the Encrypted page stays empty.
    bool guarded = false;
    std::string exePath;
    // Set by the encrypt worker when it was asked to build a self-extracting file.
    SelfExtractorResult built = SelfExtractorResult::Built;

    CipherJob() = default;
    CipherJob(const CipherJob&) = delete;
    CipherJob& operator=(const CipherJob&) = delete;
    ~CipherJob() { wipeString(password); }
};

}  // namespace tessaly
