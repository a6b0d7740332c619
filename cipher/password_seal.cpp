#include "cipher/password_seal.h"

#include <string>

#include "platform/secure_wipe.h"
#include "platform/text_codec.h"

namespace tessaly {

namespace {

template <typename Run>
GcmResult withPasswordKey(const PasswordSeal& seal, Run run)
{
    SealKey key;
    if (!deriveSealKey(seal.password, seal.iterations, seal.salt, key)) return GcmResult::Unavailable;
    return run(GcmInput{key.bytes, seal.nonce, seal.associated});
}

}  // namespace

SealKey::~SealKey()
{
    secureWipe(bytes, sizeof bytes);
}

// The key is derived from the password's UTF-8, whatever code page it was
// typed in.
bool deriveSealKey(std::string_view password, uint32_t iterations, const uint8_t* salt, SealKey& key)
{
    std::string utf8 = convertText(TextEncoding::Ansi, TextEncoding::Utf8, password);
    if (utf8.empty() && !password.empty()) return false;
    const bool derived = derivePbkdf2Sha256(utf8, salt, kSealSaltSize, iterations, key.bytes, kGcmKeySize);
    wipeString(utf8);
    return derived;
}

GcmResult sealWithPassword(const PasswordSeal& seal, uint8_t* data, size_t size, uint8_t* tag)
{
    return withPasswordKey(seal, [&](const GcmInput& input) { return gcmEncrypt(input, data, size, tag); });
}

GcmResult openWithPassword(const PasswordSeal& seal, uint8_t* data, size_t size, const uint8_t* tag)
{
    return withPasswordKey(seal, [&](const GcmInput& input) { return gcmDecrypt(input, data, size, tag); });
}

}  // namespace tessaly
