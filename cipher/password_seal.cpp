#include "cipher/password_seal.h"

#include <windows.h>

#include <vector>

#include "platform/secure_wipe.h"
#include "platform/text_codec.h"

namespace tessaly {

namespace {

// A buffer of secret bytes, wiped when it goes.
template <typename Unit>
struct SecretBuffer {
    std::vector<Unit> units;
    explicit SecretBuffer(size_t size) : units(size) {}
    SecretBuffer(const SecretBuffer&) = delete;
    SecretBuffer& operator=(const SecretBuffer&) = delete;
    ~SecretBuffer()
    {
        if (!units.empty()) secureWipe(units.data(), units.size() * sizeof(Unit));
    }
};

template <typename Run>
GcmResult withPasswordKey(const PasswordSeal& seal, Run run)
{
    // The key is derived from the password's UTF-8, whatever code page it
    // was typed in.
    std::string password = convertText(TextEncoding::Ansi, TextEncoding::Utf8, seal.password);
    if (password.empty() && !seal.password.empty()) return GcmResult::Unavailable;
    SecretBuffer<uint8_t> key(kGcmKeySize);
    const bool derived = derivePbkdf2Sha256(password, seal.salt, kSealSaltSize, seal.iterations, key.units.data(),
                                            kGcmKeySize);
    wipeString(password);
    if (!derived) return GcmResult::Unavailable;
    return run(GcmInput{key.units.data(), seal.nonce, seal.associated});
}

}  // namespace

GcmResult sealWithPassword(const PasswordSeal& seal, uint8_t* data, size_t size, uint8_t* tag)
{
    return withPasswordKey(seal, [&](const GcmInput& input) { return gcmEncrypt(input, data, size, tag); });
}

GcmResult openWithPassword(const PasswordSeal& seal, uint8_t* data, size_t size, const uint8_t* tag)
{
    return withPasswordKey(seal, [&](const GcmInput& input) { return gcmDecrypt(input, data, size, tag); });
}

}  // namespace tessaly
