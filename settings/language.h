#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/stored_text_codec.h"
#include "settings/key_value_table.h"

namespace tessaly {

// The texts of the language file named by the "lang_file" setting.
KeyValueTable& languageTable();

// Replaces the table's entries with the file's (comment lines skipped), in
// the programs' text: the file is UTF-8 or the legacy code page
// (textOfFile). False, and the table unchanged, when the file cannot be read.
[[nodiscard]] bool loadLanguage(KeyValueTable& table, const std::string& path, const StoredTextCodec& codec);

// The current language's text for `key`, or the empty string.
std::string translate(std::string_view key);

// Fills a format from a language file: each integer conversion ("%i" or
// "%d", with printf's flags "-+ 0", a width and a precision of up to three
// digits each) takes the next of `values` and is filled as printf would;
// "%%" is a percent sign; anything else, and a conversion with no value
// left, stands as it is. Unlike printf it cannot be led astray by what the
// file holds. The result is cut to `maxLength` characters.
std::string formatIntegers(std::string_view format, std::initializer_list<long long> values,
                           size_t maxLength = std::string::npos);

// Fills a format's first "%s" with `name`; "%%" is a percent sign.
std::string formatName(std::string_view format, std::string_view name);

}  // namespace tessaly
