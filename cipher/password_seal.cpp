#include "cipher/password_seal.h"

#include <string>

#include "platform/secure_wipe.h"

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

bool deriveSealKey(std::string_view password, uint32_t iterations, const uint8_t* salt, SealKey& key)
{
    return derivePbkdf2Sha256(password, salt, kSealSaltSize, iterations, key.bytes, kGcmKeySize);
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
