#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// Where a file dialog starts: the folder of the name already in its buffer,
// or the current directory for an empty name or a name without a folder.
std::string initialFolderFor(std::string_view fileName, std::string_view currentDirectory);

// The common dialogs' filter: label, blank, pattern in brackets, NUL,
// pattern, NUL NUL.
std::string buildFileFilter(std::string_view label, std::string_view pattern);

// The dialogs want a default extension without its leading dot.
std::string defaultExtensionForDialog(std::string_view extension);

}  // namespace tessaly
