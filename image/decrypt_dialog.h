#pragma once

#include <windows.h>

#include "image/password_pair.h"

namespace tessaly {

// Dialog 116: the password twice, then the decrypt worker behind the
// progress window. 0 once the worker ran, 153 when the user closed the dialog.
INT_PTR runDecryptDialog(HWND owner, const CipherDialogSetup& setup);

}  // namespace tessaly
