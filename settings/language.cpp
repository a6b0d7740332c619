#include "settings/language.h"

#include "shell/file_io.h"

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

}  // namespace tessaly
