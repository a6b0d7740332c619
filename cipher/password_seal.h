#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cipher/system_crypto.h"

namespace tessaly {

constexpr size_t kSealSaltSize = 16;

// Bytes sealed under a typed password with AES-256-GCM, the key being
// PBKDF2-HMAC-SHA256 of the password in UTF-8, so that a file sealed on a
// PC with one code page opens on a PC with another.
struct PasswordSeal {
    std::string_view password;  // as typed, in the ANSI code page
    uint32_t iterations = 0;
    const uint8_t* salt = nullptr;   // kSealSaltSize bytes
    const uint8_t* nonce = nullptr;  // kGcmNonceSize bytes
    std::string_view associated;     // authenticated, not enciphered
};

// A derived seal key, wiped when it goes.
struct SealKey {
    SealKey() = default;
    SealKey(const SealKey&) = delete;
    SealKey& operator=(const SealKey&) = delete;
    ~SealKey();
    uint8_t bytes[kGcmKeySize] = {};
};

// The key of a password seal: PBKDF2-HMAC-SHA256 of the password, which is
// its UTF-8 whatever script it was typed in (a password the system's code
// page can hold gives the same UTF-8 as that code page's bytes converted).
[[nodiscard]] bool deriveSealKey(std::string_view password, uint32_t iterations, const uint8_t* salt, SealKey& key);

// The derived key is wiped before either returns.
[[nodiscard]] GcmResult sealWithPassword(const PasswordSeal& seal, uint8_t* data, size_t size, uint8_t* tag);
[[nodiscard]] GcmResult openWithPassword(const PasswordSeal& seal, uint8_t* data, size_t size, const uint8_t* tag);

}  // namespace tessaly
