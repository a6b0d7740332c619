#pragma once

#include <windows.h>

namespace tessaly {

// What the Options dialog ends with: OK stores the choices, the close box
// stores nothing, and after either the caller reads the language file
// again; Cancel changes nothing.
enum class OptionsEnd : INT_PTR { Stored = 1, Closed = 2, Cancelled = 21 };

// Dialog 108: the picture's font and colours, the default states of the
// main window's boxes, the default path of self-extracting files and the
// language file, stored in the settings table.
[[nodiscard]] OptionsEnd runOptionsDialog(HWND owner);

}  // namespace tessaly
