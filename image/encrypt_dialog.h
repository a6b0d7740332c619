#pragma once

#include <windows.h>

#include "image/password_pair.h"

namespace tessaly {

// Dialog 110: the password twice with its strength, optionally the path of a
// self-extracting file, then the encrypt worker behind the progress window.
// 0 once the worker ran, 153 when the user closed the dialog.
INT_PTR runEncryptDialog(HWND owner, const CipherDialogSetup& setup);

}  // namespace tessaly
