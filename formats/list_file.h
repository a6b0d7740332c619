#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/password_entry.h"
#include "formats/sealed_headers.h"
#include "formats/stored_text.h"

namespace tessaly {

// The list file: per entry three fields, each a 32-bit little-endian length
// and that many bytes; nothing before, between or after.
std::string encodeListFile(const std::vector<PasswordEntry>& entries);

struct DecodedList {
    std::vector<PasswordEntry> entries;  // every whole record before any damage
    bool damaged = false;                // a length ran past the end, or the file ended inside a record
    // Entries whose text the programs' code page could not hold (a UTF-8
    // list opened where the programs' text is still a code page).
    ChangedEntries replaced;
};

// Never reads past the bytes given nor allocates more than remain. A field
// holding a zero byte is cut there.
DecodedList decodeListFile(std::string_view bytes);

// The entries that the plain list file, whose text is in the legacy code
// page, cannot keep as they are: a character of theirs has no place there.
ChangedEntries entriesOutsideListFile(const std::vector<PasswordEntry>& entries, const StoredTextCodec& codec);

// The entries' text in the legacy code page (check entriesOutsideListFile
// first: a character outside it is written as its default character). The
// file that was there, if any, is kept as `previousVersion` when that is
// given.
[[nodiscard]] bool saveListFile(const std::string& path, const std::vector<PasswordEntry>& entries,
                                const StoredTextCodec& codec, const std::string& previousVersion = {});

enum class ListFileStatus { Loaded, CannotOpen, Damaged, Protected };

// Replaces `entries` with what the file holds; on CannotOpen it is left as
// it was, on Damaged it holds the entries before the damaged record. A
// protected list file is not read as a plain one: Protected leaves
// `entries` as they were and hands the file, its header read, to
// `protectedFile`, if given. The text is read from the legacy code page.
[[nodiscard]] ListFileStatus loadListFile(const std::string& path, std::vector<PasswordEntry>& entries,
                                          const StoredTextCodec& codec, ProtectedListFile* protectedFile = nullptr);

// The warning for an Add with missing fields, or empty when nothing is
// missing: one line per missing field, from the language texts given.
std::string addWarning(bool userMissing, bool passMissing, std::string_view userLine, std::string_view passLine);

}  // namespace tessaly
