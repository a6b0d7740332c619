#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// Where a file dialog starts: the folder of the name already in its buffer,
// or the current directory for an empty name or a name without a folder.
std::string initialFolderFor(std::string_view fileName, std::string_view currentDirectory);

// One type a file dialog offers: its label and pattern ("*.slc;*.slp").
struct FileType {
    std::string label;
    std::string pattern;
};

// The common dialogs' filter: per type its label, blank, pattern in
// brackets, NUL, pattern, NUL; then one more NUL.
std::string buildFileFilter(const std::vector<FileType>& types);

// The dialogs want a default extension without its leading dot.
std::string defaultExtensionForDialog(std::string_view extension);

}  // namespace tessaly
