#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "settings/key_value_table.h"

namespace tessaly {

// The texts of the language file named by the "lang_file" setting.
KeyValueTable& languageTable();

// Replaces the table's entries with the file's (comment lines skipped).
// False, and the table unchanged, when the file cannot be read.
bool loadLanguage(KeyValueTable& table, const std::string& path);

// The current language's text for `key`, or the empty string.
std::string translate(std::string_view key);

// Fills a format from a language file: each "%i" (or "%d") takes the next of
// `values`, "%%" is a percent sign, anything else stands as it is. Unlike
// printf it cannot be led astray by what the file holds.
std::string formatIntegers(std::string_view format, std::initializer_list<long long> values);

}  // namespace tessaly
