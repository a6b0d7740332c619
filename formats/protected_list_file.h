#pragma once

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/password_seal.h"
#include "formats/list_file.h"
#include "formats/sealed_headers.h"

namespace tessaly {

enum class ProtectedListResult { Done, WrongPassword, CannotWrite, Unavailable, Cancelled };

// A new protected file's salt, and the iteration count it is derived with.
[[nodiscard]] bool newListSeal(SealParameters& parameters);

// The key a protected list file with `parameters` (salt and iteration
// count) is sealed and opened with.
[[nodiscard]] bool deriveListKey(std::string_view password, const SealParameters& parameters, SealKey& key);

// The bytes of a protected list file holding `entries`: the plain list
// file's layout of their text in UTF-8, sealed under `key` (derived with `parameters`' salt and
// iteration count) with a new nonce. Also what a locked list is kept as, so
// that it can be written out as it is.
[[nodiscard]] ProtectedListResult sealListFile(const std::vector<PasswordEntry>& entries, const SealKey& key,
                                               const SealParameters& parameters, std::string& file);

// Writes the list as a protected list file in place of `path`, sealed as
// sealListFile does under `key` (derived with `parameters`' salt and
// iteration count) with a new nonce. A file that was there stays as it was
// unless the whole new one was written, and is kept as `previousVersion`
// when that is given. Unavailable: the system's cryptography could not be
// used. Cancelled: `cancelled` was set by the time the file was sealed, and
// nothing was written.
[[nodiscard]] ProtectedListResult saveProtectedList(const std::string& path, const std::vector<PasswordEntry>& entries,
                                                    const SealKey& key, const SealParameters& parameters,
                                                    const std::string& previousVersion = {},
                                                    const std::atomic<bool>* cancelled = nullptr);

// The same under a password, with a new salt.
[[nodiscard]] ProtectedListResult saveProtectedList(const std::string& path, const std::vector<PasswordEntry>& entries,
                                                    std::string_view password,
                                                    const std::atomic<bool>* cancelled = nullptr);

// Opens a protected list file from its parts, as readProtectedList found
// them. WrongPassword when the tag does not match (a wrong key and a changed
// byte cannot be told apart). `list` is only filled on Done, its text
// converted from the file's (legacy code page in version 1, UTF-8 since);
// the deciphered bytes are wiped.
[[nodiscard]] ProtectedListResult openProtectedList(const ProtectedListParts& parts, const SealKey& key,
                                                    DecodedList& list);
[[nodiscard]] ProtectedListResult openProtectedList(const ProtectedListParts& parts, std::string_view password,
                                                    DecodedList& list);

}  // namespace tessaly
