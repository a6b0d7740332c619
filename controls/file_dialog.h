#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/file_dialog_rules.h"

namespace tessaly {

// The one open/save dialog routine. `fileName` is empty or holds a name whose
// folder the dialog starts in; on a confirmed dialog it holds the chosen full
// path. A name typed without an extension gets the chosen type's. The current
// directory is the program folder again afterwards, whatever the outcome.
// The number (from 1) of the type chosen, or 0 when the dialog was cancelled.
int showFileDialog(HWND owner, char (&fileName)[MAX_PATH], const std::string& title, const std::vector<FileType>& types,
                   const std::string& defaultExtension, bool save);

// The same for a dialog of one type.
bool showFileDialog(HWND owner, char (&fileName)[MAX_PATH], const std::string& title, const std::string& filterLabel,
                    const std::string& pattern, const std::string& defaultExtension, bool save);

}  // namespace tessaly
