#pragma once

#include <array>
#include <cstdint>

#include "cipher/password_seal.h"

namespace tessaly {

// A protected list's key, kept while the list is open so that Save seals the
// list again without the passphrase and without a derivation. In memory it
// is encrypted with the system's CryptProtectMemory for this process, where
// the system has it, so a copy of the process's memory does not show it as
// it is; it is wiped when forgotten and when it goes. The salt and the
// iteration count it was derived with are kept beside it, as they are no
// secret.
class KeptKey {
public:
    KeptKey() = default;
    KeptKey(const KeptKey&) = delete;
    KeptKey& operator=(const KeptKey&) = delete;
    ~KeptKey() { forget(); }

    void keep(const SealKey& key, uint32_t iterations, const uint8_t* salt);
    bool held() const { return held_; }
    uint32_t iterations() const { return iterations_; }
    const uint8_t* salt() const { return salt_.data(); }

    // The key as it is, for one use; false when none is held or the system
    // cannot give it back.
    [[nodiscard]] bool reveal(SealKey& key) const;
    void forget();

private:
    alignas(16) uint8_t stored_[kGcmKeySize] = {};
    std::array<uint8_t, kSealSaltSize> salt_{};
    uint32_t iterations_ = 0;
    bool held_ = false;
    bool encrypted_ = false;
};

}  // namespace tessaly
