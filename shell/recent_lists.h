#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The lists loaded or saved last, newest first, as the settings keep them:
// "last_list" the newest, "recent_lists" all of them joined by "|" (no
// Windows path holds one). A list inside the program's folder is kept
// relative to it, so a moved folder still finds it.
constexpr size_t kRecentLists = 5;

std::vector<std::string> splitRecentLists(std::string_view stored);
std::string joinRecentLists(const std::vector<std::string>& paths);

// `path` first, then the others without it (paths compared without regard to
// case, as Windows does), five at the most.
std::vector<std::string> withRecentList(const std::vector<std::string>& recent, const std::string& path);

// How a path is stored: relative to `programFolder` (which ends in a
// backslash) when it lies inside it, else as it is; and the other way.
std::string storedListPath(const std::string& path, const std::string& programFolder);
std::string resolvedListPath(const std::string& stored, const std::string& programFolder);

}  // namespace tessaly
