#pragma once

#include <windows.h>

#include "platform/modal_dialog.h"

namespace tessaly {

// What the Options dialog ends with: OK, which stores the choices, and the
// close box, which stores nothing, both end with kDialogClosed, and the
// caller reads the language file again either way; Cancel ends with
// kOptionsCancelled.
constexpr INT_PTR kOptionsCancelled = 21;

// Dialog 108: the picture's font and colours, the default states of the
// main window's boxes, the default path of self-extracting files and the
// language file, stored in the settings table.
INT_PTR runOptionsDialog(HWND owner);

}  // namespace tessaly
