#include "platform/file_io.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "platform/file_replacement.h"
#include "platform/secure_wipe.h"
#include "platform/win32_handles.h"

namespace tessaly {

namespace {

std::string folderOf(const std::string& path)
{
    auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

bool writeAll(HANDLE file, std::string_view bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// ReplaceFile wants full paths (a relative one may be refused).
std::string fullPath(const std::string& path)
{
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

// What the user may have set on a file and a replacement keeps.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

}  // namespace

FileReplacement::FileReplacement(const std::string& target) : target_(target)
{
    char temporary[MAX_PATH];
    if (GetTempFileNameA(folderOf(target).c_str(), "tsy", 0, temporary)) temporary_ = temporary;
}

FileReplacement::~FileReplacement()
{
    if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
}

bool FileReplacement::write(std::initializer_list<std::string_view> pieces)
{
    if (temporary_.empty()) return false;
    FileHandle file(
        CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    bool ok = static_cast<bool>(file);
    for (std::string_view piece : pieces) ok = ok && writeAll(file.get(), piece);
    ok = ok && FlushFileBuffers(file.get());
    return file.close() && ok;
}

bool FileReplacement::commit(const std::string& previousVersion)
{
    if (temporary_.empty()) return false;
    const DWORD attributes = GetFileAttributesA(target_.c_str());
    // A folder of that name is never replaced.
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    const bool keepPrevious = exists && !previousVersion.empty();
    // ReplaceFile keeps the old file under its second name in the same step.
    if (keepPrevious) DeleteFileA(previousVersion.c_str());
    const std::string backup = keepPrevious ? fullPath(previousVersion) : std::string();
    bool replaced = exists && ReplaceFileA(fullPath(target_).c_str(), fullPath(temporary_).c_str(),
                                           keepPrevious ? backup.c_str() : nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                           nullptr, nullptr);
    if (!replaced) {
        if (keepPrevious && !CopyFileA(target_.c_str(), previousVersion.c_str(), FALSE)) return false;
        replaced = MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (!replaced) return false;
    temporary_.clear();
    const DWORD kept = exists ? attributes & kKeptAttributes : 0;
    if (kept && (GetFileAttributesA(target_.c_str()) & kKeptAttributes) != kept) {
        SetFileAttributesA(target_.c_str(), kept);
    }
    return true;
}

bool readWholeFile(const std::string& path, std::string& bytes)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return false;
    std::string result;
    try {
        result.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_t done = 0;
    while (done < result.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(result.size() - done, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file.get(), &result[done], chunk, &read, nullptr)) {
            // What was read may hold passwords.
            wipeString(result);
            return false;
        }
        if (read == 0) break;
        done += read;
    }
    result.resize(done);
    bytes.swap(result);
    return true;
}

bool writeFileReplacing(const std::string& path, std::string_view bytes)
{
    return writeFileReplacing(path, {bytes});
}

bool writeFileReplacing(const std::string& path, std::initializer_list<std::string_view> pieces,
                        const std::string& previousVersion)
{
    FileReplacement replacement(path);
    return replacement.write(pieces) && replacement.commit(previousVersion);
}

bool isReadableFile(const std::string& path)
{
    if (path.empty()) return false;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

}  // namespace tessaly
