#include "formats/list_file.h"

#include <algorithm>
#include <cstdint>

#include "formats/sealed_headers.h"
#include "platform/file_io.h"
#include "platform/secure_wipe.h"

namespace tessaly {

namespace {

void putField(std::string& out, const std::string& field)
{
    const uint32_t length = static_cast<uint32_t>(field.size());
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((length >> shift) & 0xFF));
    out += field;
}

// Reads one field at `pos`; false when the bytes end before it does.
bool takeField(std::string_view bytes, size_t& pos, std::string& field)
{
    if (bytes.size() - pos < 4) return false;
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i) length |= uint32_t(static_cast<unsigned char>(bytes[pos + i])) << (8 * i);
    pos += 4;
    if (length > bytes.size() - pos) return false;
    std::string_view value = bytes.substr(pos, length);
    pos += length;
    field = std::string(value.substr(0, value.find('\0')));
    return true;
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
    DecodedList list;
    size_t pos = 0;
    while (pos < bytes.size()) {
        PasswordEntry entry;
        if (!takeField(bytes, pos, entry.user) || !takeField(bytes, pos, entry.pass) ||
            !takeField(bytes, pos, entry.description)) {
            list.damaged = true;
            break;
        }
        list.entries.push_back(std::move(entry));
    }
    return list;
}

// The file's bytes hold every password: they are wiped before they are freed.
bool saveListFile(const std::string& path, const std::vector<PasswordEntry>& entries,
                  const std::string& previousVersion)
{
    std::string bytes = encodeListFile(entries);
    const bool saved = writeFileReplacing(path, {bytes}, previousVersion);
    wipeString(bytes);
    return saved;
}

ListFileStatus loadListFile(const std::string& path, std::vector<PasswordEntry>& entries,
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
