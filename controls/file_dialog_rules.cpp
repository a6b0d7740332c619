#include "controls/file_dialog_rules.h"

#include "platform/file_paths.h"

namespace tessaly {

std::string initialFolderFor(std::string_view fileName, std::string_view currentDirectory)
{
    std::string folder = folderWithBackslash(fileName);
    return folder.empty() ? std::string(currentDirectory) : folder;
}

std::string buildFileFilter(std::string_view label, std::string_view pattern)
{
    std::string filter;
    filter.append(label).append(" (").append(pattern).append(")");
    filter.push_back('\0');
    filter.append(pattern);
    filter.push_back('\0');
    filter.push_back('\0');
    return filter;
}

std::string defaultExtensionForDialog(std::string_view extension)
{
    if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    return std::string(extension);
}

}  // namespace tessaly
