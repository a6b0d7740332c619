#pragma once

#include <windows.h>

#include "controls/progress_window.h"
#include "image/generate_job.h"

namespace tessaly {

// Dialog 113: the background of the list picture, a colour or a picture,
// then the generate worker on `job` behind the progress window.
// kWorkerRan once the worker ran, kDialogClosed when the user closed
// the dialog. A background picture that could not be loaded is told once
// the dialog is gone.
INT_PTR runGenerateDialog(HWND owner, GenerateJob& job);

}  // namespace tessaly
