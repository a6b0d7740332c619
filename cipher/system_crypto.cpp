#include "cipher/system_crypto.h"

#include <windows.h>
#include <bcrypt.h>

#include <algorithm>

#include "platform/library_search.h"
#include "platform/secure_wipe.h"

namespace tessaly {

namespace {

constexpr ULONG kUseSystemPreferredGenerator = 0x00000002;            // BCRYPT_USE_SYSTEM_PREFERRED_RNG
constexpr NTSTATUS kTagMismatch = static_cast<NTSTATUS>(0xC000A002);  // STATUS_AUTH_TAG_MISMATCH

// The calls taken from bcrypt.dll; never imported, so the declarations of
// <bcrypt.h> only give their types.
struct Cng {
    decltype(&BCryptGenRandom) genRandom = nullptr;
    decltype(&BCryptOpenAlgorithmProvider) openAlgorithm = nullptr;
    decltype(&BCryptCloseAlgorithmProvider) closeAlgorithm = nullptr;
    decltype(&BCryptSetProperty) setProperty = nullptr;
    decltype(&BCryptGenerateSymmetricKey) generateKey = nullptr;
    decltype(&BCryptDestroyKey) destroyKey = nullptr;
    decltype(&BCryptEncrypt) encrypt = nullptr;
    decltype(&BCryptDecrypt) decrypt = nullptr;
    decltype(&BCryptDeriveKeyPBKDF2) derivePbkdf2 = nullptr;
};

template <typename Call>
void find(HMODULE module, const char* name, Call& call)
{
    call = module ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// Loaded once and kept for the program's life.
const Cng& cng()
{
    static const Cng calls = [] {
        Cng found;
        HMODULE bcrypt = loadSystemLibrary(L"bcrypt.dll");
        find(bcrypt, "BCryptGenRandom", found.genRandom);
        find(bcrypt, "BCryptOpenAlgorithmProvider", found.openAlgorithm);
        find(bcrypt, "BCryptCloseAlgorithmProvider", found.closeAlgorithm);
        find(bcrypt, "BCryptSetProperty", found.setProperty);
        find(bcrypt, "BCryptGenerateSymmetricKey", found.generateKey);
        find(bcrypt, "BCryptDestroyKey", found.destroyKey);
        find(bcrypt, "BCryptEncrypt", found.encrypt);
        find(bcrypt, "BCryptDecrypt", found.decrypt);
        find(bcrypt, "BCryptDeriveKeyPBKDF2", found.derivePbkdf2);
        return found;
    }();
    return calls;
}

bool hasCipherCalls(const Cng& calls)
{
    return calls.openAlgorithm && calls.closeAlgorithm && calls.setProperty && calls.generateKey && calls.destroyKey &&
           calls.encrypt && calls.decrypt;
}

class Algorithm {
public:
    Algorithm(const wchar_t* name, ULONG flags)
    {
        if (cng().openAlgorithm(&handle_, name, nullptr, flags) != 0) handle_ = nullptr;
    }
    Algorithm(const Algorithm&) = delete;
    Algorithm& operator=(const Algorithm&) = delete;
    ~Algorithm()
    {
        if (handle_) cng().closeAlgorithm(handle_, 0);
    }
    BCRYPT_ALG_HANDLE get() const { return handle_; }

private:
    BCRYPT_ALG_HANDLE handle_ = nullptr;
};

class Key {
public:
    Key(BCRYPT_ALG_HANDLE algorithm, const uint8_t* secret, size_t size)
    {
        if (cng().generateKey(algorithm, &handle_, nullptr, 0, const_cast<PUCHAR>(secret), static_cast<ULONG>(size),
                              0) != 0) {
            handle_ = nullptr;
        }
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key()
    {
        if (handle_) cng().destroyKey(handle_);
    }
    BCRYPT_KEY_HANDLE get() const { return handle_; }

private:
    BCRYPT_KEY_HANDLE handle_ = nullptr;
};

// One GCM call; CNG takes the whole buffer in one piece, up to 4 GB.
template <typename Call>
NTSTATUS runGcm(Call call, const GcmInput& input, uint8_t* data, size_t size, uint8_t* tag)
{
    if (size > 0xFFFFFFF0u) return static_cast<NTSTATUS>(0xC000000D);  // STATUS_INVALID_PARAMETER
    Algorithm aes(BCRYPT_AES_ALGORITHM, 0);
    if (!aes.get()) return -1;
    auto* mode = const_cast<PUCHAR>(reinterpret_cast<const UCHAR*>(BCRYPT_CHAIN_MODE_GCM));
    if (cng().setProperty(aes.get(), BCRYPT_CHAINING_MODE, mode, sizeof BCRYPT_CHAIN_MODE_GCM, 0) != 0) return -1;
    Key key(aes.get(), input.key, kGcmKeySize);
    if (!key.get()) return -1;
    BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info;
    BCRYPT_INIT_AUTH_MODE_INFO(info);
    info.pbNonce = const_cast<PUCHAR>(input.nonce);
    info.cbNonce = kGcmNonceSize;
    info.pbAuthData = reinterpret_cast<PUCHAR>(const_cast<char*>(input.associated.data()));
    info.cbAuthData = static_cast<ULONG>(input.associated.size());
    info.pbTag = tag;
    info.cbTag = kGcmTagSize;
    ULONG written = 0;
    const auto length = static_cast<ULONG>(size);
    return call(key.get(), data, length, &info, nullptr, 0, data, length, &written, 0);
}

}  // namespace

bool loadSystemCrypto()
{
    // A provider opened once readies what the library loads behind it.
    if (!cng().openAlgorithm || !cng().closeAlgorithm || !cng().genRandom) return false;
    Algorithm hmac(BCRYPT_SHA256_ALGORITHM, BCRYPT_ALG_HANDLE_HMAC_FLAG);
    Algorithm aes(BCRYPT_AES_ALGORITHM, 0);
    return hmac.get() && aes.get();
}

bool systemRandomBytes(void* bytes, size_t count)
{
    const auto generate = cng().genRandom;
    auto* out = static_cast<unsigned char*>(bytes);
    while (generate && count > 0) {
        const auto chunk = static_cast<ULONG>(count < 0x10000000 ? count : 0x10000000);
        if (generate(nullptr, out, chunk, kUseSystemPreferredGenerator) != 0) return false;
        out += chunk;
        count -= chunk;
    }
    return generate != nullptr;
}

bool derivePbkdf2Sha256(std::string_view password, const uint8_t* salt, size_t saltSize, uint64_t iterations,
                        uint8_t* key, size_t keySize)
{
    if (!cng().derivePbkdf2 || !cng().openAlgorithm || !cng().closeAlgorithm) return false;
    Algorithm hmac(BCRYPT_SHA256_ALGORITHM, BCRYPT_ALG_HANDLE_HMAC_FLAG);
    if (!hmac.get()) return false;
    auto* passwordBytes = reinterpret_cast<PUCHAR>(const_cast<char*>(password.data()));
    return cng().derivePbkdf2(hmac.get(), passwordBytes, static_cast<ULONG>(password.size()), const_cast<PUCHAR>(salt),
                              static_cast<ULONG>(saltSize), iterations, key, static_cast<ULONG>(keySize), 0) == 0;
}

GcmResult gcmEncrypt(const GcmInput& input, uint8_t* data, size_t size, uint8_t* tag)
{
    if (!hasCipherCalls(cng())) return GcmResult::Unavailable;
    return runGcm(cng().encrypt, input, data, size, tag) == 0 ? GcmResult::Done : GcmResult::Unavailable;
}

GcmResult gcmDecrypt(const GcmInput& input, uint8_t* data, size_t size, const uint8_t* tag)
{
    if (!hasCipherCalls(cng())) return GcmResult::Unavailable;
    uint8_t expected[kGcmTagSize];
    std::copy(tag, tag + kGcmTagSize, expected);
    const NTSTATUS status = runGcm(cng().decrypt, input, data, size, expected);
    if (status == 0) return GcmResult::Done;
    // What a failed check leaves in the buffer is neither the stored bytes nor the plain ones.
    secureWipe(data, size);
    return status == kTagMismatch ? GcmResult::TagMismatch : GcmResult::Unavailable;
}

}  // namespace tessaly
