#pragma once

#include <windows.h>

#include "image/progress_window.h"
#include "image/cipher_job.h"

namespace tessaly {

// Dialog 110: the password twice with its strength, optionally the path of a
// self-extracting file, then the encrypt worker on `job` behind the progress
// window. WorkerRan once the worker ran, Closed when the user
// closed the dialog. A self-extracting file that could not be written is
// told once the dialog is gone.
[[nodiscard]] WorkerDialogEnd runEncryptDialog(HWND owner, CipherJob& job);

}  // namespace tessaly
