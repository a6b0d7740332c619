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

// The UTF-8 password and the derived key are wiped before either returns.
[[nodiscard]] GcmResult sealWithPassword(const PasswordSeal& seal, uint8_t* data, size_t size, uint8_t* tag);
[[nodiscard]] GcmResult openWithPassword(const PasswordSeal& seal, uint8_t* data, size_t size, const uint8_t* tag);

}  // namespace tessaly
