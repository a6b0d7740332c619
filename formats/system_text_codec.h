#pragma once

#include <string>
#include <string_view>

#include "formats/csv_list.h"

namespace tessaly {

// UTF-8 and the system's ANSI code page, converted by the platform.
// Characters the code page lacks become its default character, and say so.
CsvTextCodec systemTextCodec();

}  // namespace tessaly
