#include "formats/password_entry.h"

#include "platform/secure_wipe.h"

namespace tessaly {

bool operator==(const PasswordEntry& a, const PasswordEntry& b)
{
    return a.user == b.user && a.pass == b.pass && a.description == b.description;
}

void wipePasswords(std::vector<PasswordEntry>& entries)
{
    for (auto& entry : entries) wipeString(entry.pass);
}

}  // namespace tessaly
