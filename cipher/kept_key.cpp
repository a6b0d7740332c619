#include "cipher/kept_key.h"

#include <windows.h>

#include <cstring>

#include "platform/library_search.h"
#include "platform/secure_wipe.h"

namespace tessaly {

namespace {

// CryptProtectMemory and CryptUnprotectMemory, from crypt32.dll in the system
// folder only; both null where the system has no such library.
using MemoryProtection = BOOL(WINAPI*)(void* data, DWORD size, DWORD flags);
constexpr DWORD kSameProcess = 0;

MemoryProtection protectCall()
{
    static const auto call = systemLibraryCall<MemoryProtection>(L"crypt32.dll", "CryptProtectMemory");
    return call;
}

MemoryProtection unprotectCall()
{
    static const auto call = systemLibraryCall<MemoryProtection>(L"crypt32.dll", "CryptUnprotectMemory");
    return call;
}

}  // namespace

void KeptKey::keep(const SealKey& key, uint32_t iterations, const uint8_t* salt)
{
    forget();
    std::memcpy(stored_, key.bytes, sizeof stored_);
    std::memcpy(salt_.data(), salt, salt_.size());
    iterations_ = iterations;
    encrypted_ = protectCall() && unprotectCall() && protectCall()(stored_, sizeof stored_, kSameProcess);
    held_ = true;
}

bool KeptKey::reveal(SealKey& key) const
{
    if (!held_) return false;
    std::memcpy(key.bytes, stored_, sizeof key.bytes);
    if (!encrypted_) return true;
    if (unprotectCall()(key.bytes, sizeof key.bytes, kSameProcess)) return true;
    secureWipe(key.bytes, sizeof key.bytes);
    return false;
}

void KeptKey::forget()
{
    secureWipe(stored_, sizeof stored_);
    iterations_ = 0;
    held_ = encrypted_ = false;
}

}  // namespace tessaly
