#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tessaly {

// The operating system's cryptography (CNG). bcrypt.dll is loaded at run
// time from the system folder only: it is not among the libraries Windows
// always takes from there, and a program may run from a folder anyone can
// write to. Every call is false (or Unavailable) when CNG cannot be had.

// Loads the library ahead of its first use, which may take a moment (under
// Wine it starts a whole TLS library); any thread may call it, once or more.
// False when the system has no such cryptography to offer.
bool loadSystemCrypto();

// Fills `bytes` with random bytes from the system's generator; when false,
// the bytes are not to be used.
bool systemRandomBytes(void* bytes, size_t count);

// PBKDF2 with HMAC-SHA256.
bool derivePbkdf2Sha256(std::string_view password, const uint8_t* salt, size_t saltSize, uint64_t iterations,
                        uint8_t* key, size_t keySize);

constexpr size_t kGcmKeySize = 32;
constexpr size_t kGcmNonceSize = 12;
constexpr size_t kGcmTagSize = 16;

// AES-256-GCM over `data` in place. The key object CNG makes is destroyed
// before the call returns.
struct GcmInput {
    const uint8_t* key = nullptr;    // kGcmKeySize bytes
    const uint8_t* nonce = nullptr;  // kGcmNonceSize bytes
    std::string_view associated;     // authenticated, not enciphered
};

enum class GcmResult { Done, TagMismatch, Unavailable };

[[nodiscard]] GcmResult gcmEncrypt(const GcmInput& input, uint8_t* data, size_t size, uint8_t* tag);
// On TagMismatch the data is not to be used: it is wiped.
[[nodiscard]] GcmResult gcmDecrypt(const GcmInput& input, uint8_t* data, size_t size, const uint8_t* tag);

}  // namespace tessaly
