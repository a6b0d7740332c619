#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "formats/password_entry.h"
#include "platform/stored_text_codec.h"

namespace tessaly {

constexpr size_t kChangedEntriesTold = 10;

// Entries in which a conversion replaced a character, and the first
// kChangedEntriesTold of them: a title (the description, or the user name
// without one) and what changed that matters most.
struct ChangedEntries {
    struct Entry {
        std::string title;
        bool user = false;
        bool pass = false;
    };
    size_t count = 0;
    std::vector<Entry> first;
};

// ASCII is the same text in every encoding a codec knows: most entries need
// no conversion, nor the copies one makes.
bool isAsciiEntry(const PasswordEntry& entry);

// The three fields of `entry` through `convert`; a replaced character is
// noted in `changed`.
void convertEntry(PasswordEntry& entry, const StoredTextCodec::Narrowing& convert, ChangedEntries& changed);

// Every entry the same way.
void convertEntries(std::vector<PasswordEntry>& entries, const StoredTextCodec::Narrowing& convert,
                    ChangedEntries& changed);

// One entry, or every entry, through `convert`, which cannot replace
// anything.
void convertEntry(PasswordEntry& entry, const StoredTextCodec::Widening& convert);
void convertEntries(std::vector<PasswordEntry>& entries, const StoredTextCodec::Widening& convert);

// The entries in another encoding, as a file writes them: `entries`
// themselves, uncopied, when every one is ASCII; otherwise `converted`, a
// copy of them through `convert`.
const std::vector<PasswordEntry>& entriesThrough(const std::vector<PasswordEntry>& entries,
                                                 const StoredTextCodec::Widening& convert,
                                                 std::vector<PasswordEntry>& converted);

}  // namespace tessaly
