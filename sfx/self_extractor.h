#pragma once

#include <windows.h>

#include <atomic>
#include <string>

namespace tessaly {

// What goes into a self-extracting file besides the stored viewer. Texts
// and path are in the ANSI code page.
struct SelfExtractorContent {
    std::string exePath;
    // The password window's texts.
    std::string prompt;
    std::string ok;
    std::string cancel;
    std::string wait;
    // How the viewer starts its spotlight.
    int spotlightRadius = 0;
    bool spotlightOn = true;
    // A guarded file's header (resource 120) and the viewer's word for a
    // wrong password; empty for a file of the enciphered picture.
    std::string guardedHeader;
    std::string wrongPassword;
};

// NoSystemCrypto: a guarded file could not be sealed, as the system's
// cryptography could not be had.
enum class SelfExtractorResult { Built, CannotCreate, Failed, Cancelled, NoSystemCrypto };

// Writes the viewer that Corvale carries to `content.exePath` and replaces
// its bitmap 105 with `encryptedImage` (a picture of createImage, as a packed
// DIB) and its string block 1 with the texts and the spotlight radius; a
// guarded file also gets its header and the wrong-password text. The
// file is built beside the path and takes its place only when whole: on a
// failure, or when `cancelled` is set between the steps, a file that was
// there stays as it was and nothing else is left. CannotCreate: the file
// could not be written there.
[[nodiscard]] SelfExtractorResult buildSelfExtractor(HBITMAP encryptedImage, const SelfExtractorContent& content,
                                                     const std::atomic<bool>* cancelled = nullptr);

}  // namespace tessaly
