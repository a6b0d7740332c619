#pragma once

#include <string>
#include <vector>

#include "platform/secret_text.h"

namespace tessaly {

// One entry of the password list, in the order of the list's columns. The
// password wipes itself wherever the entry goes.
struct PasswordEntry {
    std::string user;
    SecretText pass;
    std::string description;
};

bool operator==(const PasswordEntry& a, const PasswordEntry& b);

}  // namespace tessaly
