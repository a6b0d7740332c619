#include "shell/key_derivation.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>

#include "formats/protected_list_file.h"
#include "platform/secure_wipe.h"

namespace tessaly {

namespace {

constexpr DWORD kCancelCheckMs = 20;

// What the derivation's thread owns with the waiting worker: whichever of
// the two ends last frees it, the passphrase and the key wiped.
struct Derivation {
    std::string password;
    SealParameters parameters;
    SealKey key;
    bool derived = false;
    std::atomic<bool> done{false};
    ~Derivation() { wipeString(password); }
};

DWORD WINAPI derive(void* given)
{
    const std::shared_ptr<Derivation> derivation(*static_cast<std::shared_ptr<Derivation>*>(given));
    delete static_cast<std::shared_ptr<Derivation>*>(given);
    derivation->derived = deriveListKey(derivation->password, derivation->parameters, derivation->key);
    derivation->done = true;
    return 0;
}

}  // namespace

DerivationEnd deriveBehind(WorkerReport& report, std::string_view password, const SealParameters& parameters,
                           SealKey& key)
{
    auto derivation = std::make_shared<Derivation>();
    derivation->password.assign(password.data(), password.size());
    derivation->parameters = parameters;
    auto* handed = new std::shared_ptr<Derivation>(derivation);
    HANDLE thread = CreateThread(nullptr, 0, derive, handed, 0, nullptr);
    if (!thread) {
        delete handed;
        return DerivationEnd::Unavailable;
    }
    CloseHandle(thread);
    report.showBusy(true);
    while (!derivation->done) {
        if (report.cancelled()) {
            report.showBusy(false);
            return DerivationEnd::Cancelled;
        }
        Sleep(kCancelCheckMs);
    }
    report.showBusy(false);
    if (!derivation->derived) return DerivationEnd::Unavailable;
    std::copy(std::begin(derivation->key.bytes), std::end(derivation->key.bytes), key.bytes);
    return DerivationEnd::Derived;
}

}  // namespace tessaly
