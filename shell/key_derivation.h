#pragma once

#include <string_view>

#include "cipher/password_seal.h"
#include "formats/sealed_headers.h"
#include "image/progress_window.h"

namespace tessaly {

enum class DerivationEnd { Derived, Unavailable, Cancelled };

// Derives a protected list's key from its passphrase behind the progress
// window, whose bar moves meanwhile. The derivation cannot be stopped, so it
// runs on a thread of its own with its own copies: Cancel ends the wait at
// once, and what the derivation gives later is wiped unread.
DerivationEnd deriveBehind(WorkerReport& report, std::string_view password, const SealParameters& parameters,
                           SealKey& key);

}  // namespace tessaly
