#pragma once

#include <string>
#include <vector>

namespace tessaly {

// One entry of the password list, in the order of the list's columns.
struct PasswordEntry {
    std::string user;
    std::string pass;
    std::string description;
};

bool operator==(const PasswordEntry& a, const PasswordEntry& b);

// Wipes the passwords of entries about to go.
void wipePasswords(std::vector<PasswordEntry>& entries);

}  // namespace tessaly
