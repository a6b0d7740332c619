#include "formats/stored_text.h"

#include <algorithm>
#include <utility>

#include "platform/utf8_text.h"

namespace tessaly {

bool isAsciiEntry(const PasswordEntry& entry)
{
    return isAscii(entry.user) && isAscii(entry.pass) && isAscii(entry.description);
}

void convertEntry(PasswordEntry& entry, const StoredTextCodec::Narrowing& convert, ChangedEntries& changed)
{
    if (isAsciiEntry(entry)) return;
    ChangedEntries::Entry told;
    bool description = false;
    entry.user = convert(entry.user, told.user);
    entry.pass = secretFrom(convert(entry.pass, told.pass));
    entry.description = convert(entry.description, description);
    if (!told.user && !told.pass && !description) return;
    ++changed.count;
    if (changed.first.size() == kChangedEntriesTold) return;
    told.title = entry.description.empty() ? entry.user : entry.description;
    changed.first.push_back(std::move(told));
}

void convertEntries(std::vector<PasswordEntry>& entries, const StoredTextCodec::Narrowing& convert,
                    ChangedEntries& changed)
{
    for (auto& entry : entries) convertEntry(entry, convert, changed);
}

void convertEntry(PasswordEntry& entry, const StoredTextCodec::Widening& convert)
{
    if (isAsciiEntry(entry)) return;
    entry.user = convert(entry.user);
    entry.pass = secretFrom(convert(entry.pass));
    entry.description = convert(entry.description);
}

void convertEntries(std::vector<PasswordEntry>& entries, const StoredTextCodec::Widening& convert)
{
    for (auto& entry : entries) convertEntry(entry, convert);
}

const std::vector<PasswordEntry>& entriesThrough(const std::vector<PasswordEntry>& entries,
                                                 const StoredTextCodec::Widening& convert,
                                                 std::vector<PasswordEntry>& converted)
{
    if (std::all_of(entries.begin(), entries.end(), isAsciiEntry)) return entries;
    converted = entries;
    convertEntries(converted, convert);
    return converted;
}

}  // namespace tessaly
