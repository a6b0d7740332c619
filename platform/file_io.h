#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// The few file operations the portable code needs, implemented once per
// platform (file_io_posix.cpp, file_io_win32.cpp). Paths are byte strings in
// the programs' code page (UTF-8 where the manifest's setting is honoured).
namespace tessaly {

// The size of a file, before it is read; nothing when it cannot be opened.
std::optional<uint64_t> fileSizeOf(const std::string& path);

// Reads the whole file. False when it cannot be opened or read; `bytes` is
// then left as it was.
[[nodiscard]] bool readWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` to a new temporary file in the target's folder, flushes it
// to the disk and only then puts it in place of `path`. On any failure the
// old file, if there was one, is untouched and the temporary file is gone.
[[nodiscard]] bool writeFileReplacing(const std::string& path, std::string_view bytes);
// The same for a file made of several pieces, written one after another;
// the file that was there, if any, is kept as `previousVersion` when that
// is given (an older one of that name goes).
[[nodiscard]] bool writeFileReplacing(const std::string& path, std::initializer_list<std::string_view> pieces,
                                      const std::string& previousVersion = {});

// True when the path is not empty and names a file that can be opened for
// reading.
bool isReadableFile(const std::string& path);

}  // namespace tessaly
