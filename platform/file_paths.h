#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// The folder part of a Windows path, up to and including its last
// backslash; empty when there is none.
std::string folderWithBackslash(std::string_view path);

}  // namespace tessaly
