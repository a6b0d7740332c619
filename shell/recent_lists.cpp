#include "shell/recent_lists.h"

#include <algorithm>

namespace tessaly {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool samePath(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lower(x) == lower(y) || ((x == '/' || x == '\\') && (y == '/' || y == '\\'));
           });
}

// "C:\..." or "\\server\...": a path that names its own drive or share.
bool isAbsolute(std::string_view path)
{
    return (path.size() >= 2 && path[1] == ':') || (path.size() >= 2 && path[0] == '\\' && path[1] == '\\');
}

}  // namespace

std::vector<std::string> splitRecentLists(std::string_view stored)
{
    std::vector<std::string> paths;
    while (!stored.empty() && paths.size() < kRecentLists) {
        const size_t bar = stored.find('|');
        const std::string_view path = stored.substr(0, bar);
        if (!path.empty()) paths.emplace_back(path);
        if (bar == std::string_view::npos) break;
        stored.remove_prefix(bar + 1);
    }
    return paths;
}

std::string joinRecentLists(const std::vector<std::string>& paths)
{
    std::string joined;
    for (const auto& path : paths) {
        if (!joined.empty()) joined += '|';
        joined += path;
    }
    return joined;
}

std::vector<std::string> withRecentList(const std::vector<std::string>& recent, const std::string& path)
{
    std::vector<std::string> paths{path};
    for (const auto& other : recent) {
        if (paths.size() == kRecentLists) break;
        if (!samePath(other, path)) paths.push_back(other);
    }
    return paths;
}

std::string storedListPath(const std::string& path, const std::string& programFolder)
{
    if (programFolder.empty() || path.size() <= programFolder.size()) return path;
    if (!samePath(std::string_view(path).substr(0, programFolder.size()), programFolder)) return path;
    return path.substr(programFolder.size());
}

std::string resolvedListPath(const std::string& stored, const std::string& programFolder)
{
    if (stored.empty() || isAbsolute(stored)) return stored;
    return programFolder + stored;
}

}  // namespace tessaly
