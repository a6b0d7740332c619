#pragma once

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "formats/list_file.h"
#include "formats/sealed_headers.h"

namespace tessaly {

enum class ProtectedListResult { Done, WrongPassword, CannotWrite, Unavailable, Cancelled };

// Writes the list as a protected list file in place of `path`: the plain
// list file's bytes sealed under the password with a new salt and nonce.
// A file that was there stays as it was unless the whole new one was
// written. Unavailable: the system's cryptography could not be used.
// Cancelled: `cancelled` was set by the time the file was sealed, and
// nothing was written.
[[nodiscard]] ProtectedListResult saveProtectedList(const std::string& path, const std::vector<PasswordEntry>& entries,
                                                    std::string_view password,
                                                    const std::atomic<bool>* cancelled = nullptr);

// Opens a protected list file from its parts, as readProtectedList found
// them. WrongPassword when the tag does not match (a wrong password and a
// changed byte cannot be told apart). `list` is only filled on Done; the
// deciphered bytes are wiped.
[[nodiscard]] ProtectedListResult openProtectedList(const ProtectedListParts& parts, std::string_view password,
                                                    DecodedList& list);

}  // namespace tessaly
