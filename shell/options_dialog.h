#pragma once

#include <windows.h>

namespace tessaly {

constexpr INT_PTR kOptionsConfirmed = 153;
constexpr INT_PTR kOptionsCancelled = 21;

// Dialog 108: the picture's font and colours, the default states of the
// main window's boxes, the default path of self-extracting files and the
// language file. OK stores them in the settings table and ends with 153;
// the close box ends with 153 and stores nothing; Cancel ends with 21.
INT_PTR runOptionsDialog(HWND owner);

}  // namespace tessaly
