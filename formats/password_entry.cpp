#include "formats/password_entry.h"

namespace tessaly {

bool operator==(const PasswordEntry& a, const PasswordEntry& b)
{
    return a.user == b.user && a.pass == b.pass && a.description == b.description;
}

}  // namespace tessaly
