#pragma once

#include <string>

#include "cipher/secure_wipe.h"

namespace tessaly {

// What the Encrypt and Decrypt dialogs hand to their workers; the dialog owns
// it until the progress window has closed.
struct EncryptJob {
    std::string password;  // as typed, at most 35 characters
    bool createExe = false;
    std::string exePath;

    EncryptJob() = default;
    EncryptJob(const EncryptJob&) = delete;
    EncryptJob& operator=(const EncryptJob&) = delete;
    ~EncryptJob()
    {
        if (!password.empty()) secureWipe(&password[0], password.size());
    }
};

}  // namespace tessaly
