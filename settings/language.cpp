#include "settings/language.h"

#include "platform/file_io.h"

namespace tessaly {

KeyValueTable& languageTable()
{
    static KeyValueTable table;
    return table;
}

bool loadLanguage(KeyValueTable& table, const std::string& path)
{
    std::string bytes;
    if (!readWholeFile(path, bytes)) return false;
    table.clear();
    parseKeyValueText(bytes, CommentLines::Skipped, table);
    return true;
}

std::string translate(std::string_view key)
{
    return languageTable().get(key);
}

std::string formatIntegers(std::string_view format, std::initializer_list<long long> values)
{
    std::string text;
    auto next = values.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        const char following = i + 1 < format.size() ? format[i + 1] : '\0';
        if (c == '%' && following == '%') {
            text.push_back('%');
            ++i;
        } else if (c == '%' && (following == 'i' || following == 'd') && next != values.end()) {
            text += std::to_string(*next++);
            ++i;
        } else {
            text.push_back(c);
        }
    }
    return text;
}

}  // namespace tessaly
