#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/win32_handles.h"
#include "shell/list_file.h"

namespace tessaly {

// What the main window hands to the Generate dialog: see GenerateJob.
struct GenerateDialogSetup {
    std::function<std::vector<PasswordEntry>()> readEntries;
    std::function<void(BitmapHandle)> publishPlain;
    std::function<void(BitmapHandle)> publishEncrypted;
    HWND* progressWindow = nullptr;
};

// Dialog 113: the background of the list picture, a colour or a picture,
// then the generate worker behind the progress window. 0 once the worker
// ran, 153 when the user closed the dialog.
INT_PTR runGenerateDialog(HWND owner, const GenerateDialogSetup& setup);

}  // namespace tessaly
