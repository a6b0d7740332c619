#pragma once

#include <windows.h>

#include <string>

#include "formats/csv_list.h"

namespace tessaly {

// Dialog 124 over the main window, before an import adds anything: who
// exported the file, `summary` (how many entries, what was left out), and the
// first rows as they will be added, passwords masked. True when the user
// adds them.
[[nodiscard]] bool runCsvPreviewDialog(HWND owner, const CsvImport& imported, const std::string& summary);

}  // namespace tessaly
