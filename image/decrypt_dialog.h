#pragma once

#include <windows.h>

#include "image/progress_window.h"
#include "image/cipher_job.h"

namespace tessaly {

// Dialog 116: the password twice, then the decrypt worker on `job` behind
// the progress window. WorkerRan once the worker ran, Closed
// when the user closed the dialog.
[[nodiscard]] WorkerDialogEnd runDecryptDialog(HWND owner, CipherJob& job);

}  // namespace tessaly
