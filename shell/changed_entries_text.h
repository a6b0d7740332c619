#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "formats/stored_text.h"

namespace tessaly {

// `format` with the number of changed entries for its "%i", then a line per
// entry told (its title, and whether its password or user name changed,
// which matter most) and "..." for the rest.
std::string changedEntriesText(std::string_view format, const ChangedEntries& changed);

// That text, its format the language's `formatKey`, in a warning.
void warnOfChangedEntries(HWND window, const char* formatKey, const ChangedEntries& changed);

}  // namespace tessaly
