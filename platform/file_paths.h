#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// The folder part of a Windows path, up to and including its last
// backslash; empty when there is none.
std::string folderWithBackslash(std::string_view path);

// The name part of a Windows path: what follows its last backslash (or
// slash), the whole path when there is none.
std::string_view fileNameOf(std::string_view path);

// Whether the path ends in `extension` (".slp"), ASCII letters in any case.
bool hasExtension(std::string_view path, std::string_view extension);

// Where a saved file's previous version is kept: ".old" before the name's
// extension ("accounts.slp" gives "accounts.old.slp"), or after a name
// without one.
std::string previousVersionPath(std::string_view path);

// `path` with its name's extension, if any, replaced by `extension`.
std::string withExtension(std::string_view path, std::string_view extension);

// `path` relative to `folder` (which ends in a backslash) when it lies
// inside it, ASCII letters compared in any case; otherwise `path` as it is.
std::string relativeWhenInside(std::string_view path, std::string_view folder);

}  // namespace tessaly
