#include "controls/file_dialog_rules.h"

#include "platform/file_paths.h"

namespace tessaly {

std::string initialFolderFor(std::string_view fileName, std::string_view currentDirectory)
{
    std::string folder = folderWithBackslash(fileName);
    return folder.empty() ? std::string(currentDirectory) : folder;
}

std::string buildFileFilter(const std::vector<FileType>& types)
{
    std::string filter;
    for (const auto& type : types) {
        filter.append(type.label).append(" (").append(type.pattern).append(")");
        filter.push_back('\0');
        filter.append(type.pattern);
        filter.push_back('\0');
    }
    filter.push_back('\0');
    return filter;
}

std::string defaultExtensionForDialog(std::string_view extension)
{
    if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    return std::string(extension);
}

}  // namespace tessaly
