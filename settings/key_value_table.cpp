#include "settings/key_value_table.h"

#include "platform/file_io.h"

namespace tessaly {

namespace {

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string textModeBytes(std::string_view raw)
{
    auto ctrlZ = raw.find('\x1a');
    if (ctrlZ != std::string_view::npos) raw = raw.substr(0, ctrlZ);
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text.push_back(raw[i]);
    }
    return text;
}

// Keys and values are C strings of bounded length in the file format.
std::string fieldOf(std::string_view bytes)
{
    auto nul = bytes.find('\0');
    if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
    // Characters, not bytes: a UTF-8 character is never cut in two.
    size_t characters = 0;
    for (size_t at = 0; at < bytes.size(); ++at) {
        const bool starts = (static_cast<unsigned char>(bytes[at]) & 0xC0) != 0x80;
        if ((starts && ++characters > kMaxFieldLength) || at == kMaxFieldBytes) return std::string(bytes.substr(0, at));
    }
    return std::string(bytes);
}

}  // namespace

bool keysMatch(std::string_view a, std::string_view b)
{
    a = a.substr(0, kMaxLookupKeyLength);
    b = b.substr(0, kMaxLookupKeyLength);
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

std::string KeyValueTable::get(std::string_view key) const
{
    for (const auto& entry : entries_) {
        if (keysMatch(entry.key, key)) return entry.value;
    }
    return {};
}

void KeyValueTable::set(std::string_view key, std::string_view value)
{
    for (auto& entry : entries_) {
        if (keysMatch(entry.key, key)) {
            entry.value = std::string(value);
            return;
        }
    }
    entries_.push_back({std::string(key), std::string(value)});
}

void KeyValueTable::append(std::string key, std::string value)
{
    entries_.push_back({std::move(key), std::move(value)});
}

void KeyValueTable::clear()
{
    entries_.clear();
}

std::string KeyValueTable::serialize() const
{
    std::string text;
    for (const auto& entry : entries_) {
        std::string line = entry.key + "=" + entry.value + "\n";
        for (char c : line) {
            if (c == '\n') text.push_back('\r');
            text.push_back(c);
        }
    }
    return text;
}

bool KeyValueTable::saveToFile(const std::string& path) const
{
    return writeFileReplacing(path, serialize());
}

void parseKeyValueText(std::string_view fileBytes, CommentLines comments, KeyValueTable& table)
{
    const std::string text = textModeBytes(fileBytes);
    std::string_view rest(text);
    while (!rest.empty()) {
        if (comments == CommentLines::Skipped && rest.front() == '/') {
            auto lf = rest.find('\n');
            if (lf == std::string_view::npos) return;
            rest.remove_prefix(lf + 1);
            continue;
        }
        // A line without "=" runs on into the key of the next record.
        auto equals = rest.find('=');
        if (equals == std::string_view::npos) return;
        auto lf = rest.find('\n', equals + 1);
        if (lf == std::string_view::npos) return;  // a last record needs its LF
        table.append(fieldOf(rest.substr(0, equals)), fieldOf(rest.substr(equals + 1, lf - equals - 1)));
        rest.remove_prefix(lf + 1);
    }
}

}  // namespace tessaly
