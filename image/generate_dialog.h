#pragma once

#include <windows.h>

#include "image/progress_window.h"
#include "image/generate_job.h"

namespace tessaly {

// Dialog 113: the background of the list picture, a colour or a picture,
// then the generate worker on `job` behind the progress window.
// WorkerRan once the worker ran, Closed when the user closed
// the dialog. A background picture that could not be loaded is told once
// the dialog is gone.
[[nodiscard]] WorkerDialogEnd runGenerateDialog(HWND owner, GenerateJob& job);

}  // namespace tessaly
