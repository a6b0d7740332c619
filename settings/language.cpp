#include "settings/language.h"

#include <algorithm>
#include <cstdio>

#include "platform/file_io.h"

namespace tessaly {

KeyValueTable& languageTable()
{
    static KeyValueTable table;
    return table;
}

bool loadLanguage(KeyValueTable& table, const std::string& path, const StoredTextCodec& codec)
{
    std::string bytes;
    if (!readWholeFile(path, bytes)) return false;
    table.clear();
    parseKeyValueText(textOfFile(bytes, codec), CommentLines::Skipped, table);
    return true;
}

std::string translate(std::string_view key)
{
    return languageTable().get(key);
}

namespace {

// Widths and precisions longer than this stand as they are.
constexpr size_t kMaxFieldDigits = 3;

size_t digitsAt(std::string_view text, size_t from)
{
    size_t end = from;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    return end - from;
}

// The length of an integer conversion ("%", flags, width, precision, "i" or
// "d") starting at `from`, or 0 when none starts there.
size_t integerConversionAt(std::string_view format, size_t from)
{
    size_t i = from + 1;
    while (i < format.size() && (format[i] == '-' || format[i] == '+' || format[i] == ' ' || format[i] == '0')) ++i;
    const size_t width = digitsAt(format, i);
    if (width > kMaxFieldDigits) return 0;
    i += width;
    if (i < format.size() && format[i] == '.') {
        const size_t precision = digitsAt(format, i + 1);
        if (precision > kMaxFieldDigits) return 0;
        i += 1 + precision;
    }
    if (i < format.size() && (format[i] == 'i' || format[i] == 'd')) return i + 1 - from;
    return 0;
}

std::string formatOne(std::string_view conversion, long long value)
{
    // The conversion is known to be flags, width and precision only: printf
    // gets exactly one argument of the type it reads.
    std::string printfFormat(conversion.substr(0, conversion.size() - 1));
    printfFormat += "lld";
    char buffer[2 * 1000 + 64];
    const int written = std::snprintf(buffer, sizeof buffer, printfFormat.c_str(), value);
    return written > 0 ? std::string(buffer, std::min(static_cast<size_t>(written), sizeof buffer - 1)) : std::string();
}

}  // namespace

std::string formatIntegers(std::string_view format, std::initializer_list<long long> values, size_t maxLength)
{
    std::string text;
    auto next = values.begin();
    for (size_t i = 0; i < format.size() && text.size() < maxLength; ++i) {
        const char c = format[i];
        const char following = i + 1 < format.size() ? format[i + 1] : '\0';
        const size_t conversion = c == '%' ? integerConversionAt(format, i) : 0;
        if (c == '%' && following == '%') {
            text.push_back('%');
            ++i;
        } else if (conversion > 0 && next != values.end()) {
            text += formatOne(format.substr(i, conversion), *next++);
            i += conversion - 1;
        } else {
            text.push_back(c);
        }
    }
    if (text.size() > maxLength) text.resize(maxLength);
    return text;
}

std::string formatName(std::string_view format, std::string_view name)
{
    std::string text;
    bool filled = false;
    for (size_t i = 0; i < format.size(); ++i) {
        const char following = i + 1 < format.size() ? format[i + 1] : '\0';
        if (format[i] == '%' && following == '%') {
            text.push_back('%');
            ++i;
        } else if (format[i] == '%' && following == 's' && !filled) {
            text += name;
            filled = true;
            ++i;
        } else {
            text.push_back(format[i]);
        }
    }
    return text;
}

}  // namespace tessaly
