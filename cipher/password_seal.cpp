#include "cipher/password_seal.h"

#include <windows.h>

#include <vector>

#include "platform/secure_wipe.h"

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

// The typed password in UTF-8; empty only for an empty password or a
// conversion that failed.
void utf8Password(std::string_view ansi, SecretBuffer<char>& into)
{
    if (ansi.empty()) return;
    const int ansiSize = static_cast<int>(ansi.size());
    const int wideSize = MultiByteToWideChar(CP_ACP, 0, ansi.data(), ansiSize, nullptr, 0);
    if (wideSize <= 0) return;
    SecretBuffer<wchar_t> wide(static_cast<size_t>(wideSize));
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), ansiSize, wide.units.data(), wideSize);
    const int utf8Size = WideCharToMultiByte(CP_UTF8, 0, wide.units.data(), wideSize, nullptr, 0, nullptr, nullptr);
    if (utf8Size <= 0) return;
    into.units.resize(static_cast<size_t>(utf8Size));
    WideCharToMultiByte(CP_UTF8, 0, wide.units.data(), wideSize, into.units.data(), utf8Size, nullptr, nullptr);
}

template <typename Run>
GcmResult withPasswordKey(const PasswordSeal& seal, Run run)
{
    SecretBuffer<char> password(0);
    utf8Password(seal.password, password);
    if (password.units.empty() && !seal.password.empty()) return GcmResult::Unavailable;
    SecretBuffer<uint8_t> key(kGcmKeySize);
    if (!derivePbkdf2Sha256(std::string_view(password.units.data(), password.units.size()), seal.salt, kSealSaltSize,
                            seal.iterations, key.units.data(), kGcmKeySize)) {
        return GcmResult::Unavailable;
    }
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
