#pragma once

#include <windows.h>

#include "controls/progress_window.h"
#include "image/cipher_job.h"

namespace tessaly {

// Dialog 116: the password twice, then the decrypt worker on `job` behind
// the progress window. kWorkerRan once the worker ran, kDialogClosed
// when the user closed the dialog.
INT_PTR runDecryptDialog(HWND owner, CipherJob& job);

}  // namespace tessaly
