#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

struct KeyValueEntry {
    std::string key;
    std::string value;
};

// Ordered key/value byte strings as read from conf.dat and the language
// files. Keys match without regard to ASCII case; the first match wins, and a
// missing key reads as the empty string.
class KeyValueTable {
public:
    std::string get(std::string_view key) const;
    // Replaces the value of the first matching entry (its key keeps its
    // spelling) or appends the pair.
    void set(std::string_view key, std::string_view value);
    void append(std::string key, std::string value);
    void clear();
    // The table as the file holds it: "key=value" and CR LF per entry.
    std::string serialize() const;
    // Writes serialize() through a temporary file, so a failed write leaves
    // the old file whole.
    [[nodiscard]] bool saveToFile(const std::string& path) const;

    const std::vector<KeyValueEntry>& entries() const { return entries_; }

private:
    std::vector<KeyValueEntry> entries_;
};

// Longest key or value taken from a file, in characters (a byte that does
// not continue a UTF-8 sequence begins one); longer ones are cut to this
// many (the rest of the field is read and dropped), so no line can grow an
// entry beyond what the readers of the format allow.
constexpr size_t kMaxFieldLength = 254;
constexpr size_t kMaxFieldBytes = 4 * kMaxFieldLength;

// Lookups compare at most this many bytes of each key.
constexpr size_t kMaxLookupKeyLength = 259;

bool keysMatch(std::string_view a, std::string_view b);

enum class CommentLines { Ordinary, Skipped };

// Reads the key=value grammar from the raw bytes of a file and appends each
// record to `table` in file order. The bytes get the C runtime's text-mode
// reading first: CR before LF dropped, Ctrl-Z ends the file.
void parseKeyValueText(std::string_view fileBytes, CommentLines comments, KeyValueTable& table);

}  // namespace tessaly
