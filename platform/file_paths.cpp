#include "platform/file_paths.h"

#include <algorithm>

namespace tessaly {

std::string folderWithBackslash(std::string_view path)
{
    auto slash = path.rfind('\\');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string_view fileNameOf(std::string_view path)
{
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool hasExtension(std::string_view path, std::string_view extension)
{
    if (path.size() < extension.size()) return false;
    const std::string_view tail = path.substr(path.size() - extension.size());
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < tail.size(); ++i) {
        if (lower(tail[i]) != lower(extension[i])) return false;
    }
    return true;
}

namespace {

// Where the name's extension begins, or the path's end without one (a name
// that only begins with a dot has none).
size_t extensionAt(std::string_view path)
{
    const std::string_view name = fileNameOf(path);
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? path.size() : path.size() - name.size() + dot;
}

}  // namespace

std::string previousVersionPath(std::string_view path)
{
    std::string previous(path);
    previous.insert(extensionAt(path), ".old");
    return previous;
}

std::string withExtension(std::string_view path, std::string_view extension)
{
    return std::string(path.substr(0, extensionAt(path))).append(extension);
}

std::string relativeWhenInside(std::string_view path, std::string_view folder)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const bool inside = !folder.empty() && path.size() > folder.size() &&
                        std::equal(folder.begin(), folder.end(), path.begin(),
                                   [&](char a, char b) { return lower(a) == lower(b); });
    return std::string(inside ? path.substr(folder.size()) : path);
}

}  // namespace tessaly
