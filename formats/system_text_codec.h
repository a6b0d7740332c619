#pragma once

#include <string>
#include <string_view>

#include "formats/csv_list.h"

namespace tessaly {

// UTF-8 and the system's ANSI code page, converted by the platform.
// Characters the code page lacks become its default character, and say so.
CsvTextCodec systemTextCodec();

// Text in the ANSI code page as UTF-16, converted in full.
std::u16string utf16FromAnsi(std::string_view ansi);

}  // namespace tessaly
