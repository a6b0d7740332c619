#include "platform/file_paths.h"

namespace tessaly {

std::string folderWithBackslash(std::string_view path)
{
    auto slash = path.rfind('\\');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

}  // namespace tessaly
