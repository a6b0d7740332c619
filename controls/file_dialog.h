#pragma once

#include <windows.h>

#include <string>

namespace tessaly {

// The one open/save dialog routine. `fileName` is empty or holds a name whose
// folder the dialog starts in; on a confirmed dialog it holds the chosen full
// path. The current directory is the program folder again afterwards,
// whatever the outcome.
bool showFileDialog(HWND owner, char (&fileName)[MAX_PATH], const std::string& title, const std::string& filterLabel,
                    const std::string& pattern, const std::string& defaultExtension, bool save);

}  // namespace tessaly
