#include "formats/list_file.h"

#include <algorithm>
#include <cstdint>

#include "formats/sealed_headers.h"
#include "platform/file_io.h"
#include "platform/secure_wipe.h"

namespace tessaly {

namespace {

void putField(std::string& out, std::string_view field)
{
    const uint32_t length = static_cast<uint32_t>(field.size());
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((length >> shift) & 0xFF));
    out += field;
}

// The field at `pos`, and `pos` past it; false when the bytes end before it
// does.
bool nextField(std::string_view bytes, size_t& pos, std::string_view& value)
{
    if (bytes.size() - pos < 4) return false;
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i) length |= uint32_t(static_cast<unsigned char>(bytes[pos + i])) << (8 * i);
    pos += 4;
    if (length > bytes.size() - pos) return false;
    value = bytes.substr(pos, length);
    pos += length;
    return true;
}

// Read straight into the entry's own field: no temporary copy of a
// password is left behind.
template <typename Field>
bool takeField(std::string_view bytes, size_t& pos, Field& field)
{
    std::string_view value;
    if (!nextField(bytes, pos, value)) return false;
    field.assign(value.substr(0, value.find('\0')));
    return true;
}

// How many whole records stand before any damage.
size_t wholeRecords(std::string_view bytes)
{
    size_t pos = 0, records = 0;
    std::string_view value;
    while (nextField(bytes, pos, value) && nextField(bytes, pos, value) && nextField(bytes, pos, value)) ++records;
    return records;
}

}  // namespace

std::string encodeListFile(const std::vector<PasswordEntry>& entries)
{
    // Made in one allocation, so no outgrown copy of a password is freed.
    size_t size = 0;
    for (const auto& entry : entries) size += 12 + entry.user.size() + entry.pass.size() + entry.description.size();
    std::string out;
    out.reserve(size);
    for (const auto& entry : entries) {
        putField(out, entry.user);
        putField(out, entry.pass);
        putField(out, entry.description);
    }
    return out;
}

DecodedList decodeListFile(std::string_view bytes)
{
    // Made in place at their final size.
    DecodedList list;
    list.entries.reserve(wholeRecords(bytes) + 1);
    size_t pos = 0;
    while (pos < bytes.size()) {
        PasswordEntry& entry = list.entries.emplace_back();
        if (!takeField(bytes, pos, entry.user) || !takeField(bytes, pos, entry.pass) ||
            !takeField(bytes, pos, entry.description)) {
            list.entries.pop_back();
            list.damaged = true;
            break;
        }
    }
    return list;
}

ChangedEntries entriesOutsideListFile(const std::vector<PasswordEntry>& entries, const StoredTextCodec& codec)
{
    ChangedEntries outside;
    for (const auto& entry : entries) {
        if (isAsciiEntry(entry)) continue;
        PasswordEntry stored = entry;
        convertEntry(stored, codec.toLegacy, outside);
    }
    return outside;
}

// The file's bytes hold every password: they are wiped before they are freed.
bool saveListFile(const std::string& path, const std::vector<PasswordEntry>& entries, const StoredTextCodec& codec,
                  const std::string& previousVersion)
{
    // What the code page lacks is told before a save (entriesOutsideListFile).
    const auto toLegacy = [&codec](std::string_view text) {
        bool replaced = false;
        return codec.toLegacy(text, replaced);
    };
    std::vector<PasswordEntry> converted;
    std::string bytes = encodeListFile(entriesThrough(entries, toLegacy, converted));
    const bool saved = writeFileReplacing(path, {bytes}, previousVersion);
    wipeString(bytes);
    return saved;
}

ListFileStatus loadListFile(const std::string& path, std::vector<PasswordEntry>& entries, const StoredTextCodec& codec,
                            ProtectedListFile* protectedFile)
{
    std::string bytes;
    if (!readWholeFile(path, bytes)) return ListFileStatus::CannotOpen;
    ProtectedListParts parts;
    if (readProtectedList(bytes, parts) != HeaderStatus::OtherFormat) {
        if (protectedFile) protectedFile->take(std::move(bytes));
        return ListFileStatus::Protected;
    }
    DecodedList list = decodeListFile(bytes);
    wipeString(bytes);
    convertEntries(list.entries, codec.fromLegacy);
    entries = std::move(list.entries);
    return list.damaged ? ListFileStatus::Damaged : ListFileStatus::Loaded;
}

std::string addWarning(bool userMissing, bool passMissing, std::string_view userLine, std::string_view passLine)
{
    std::string warning;
    if (userMissing) warning.append(userLine).append(".\n");
    if (passMissing) warning.append(passLine).append(".");
    return warning;
}

}  // namespace tessaly
