#include "platform/file_io.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

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

// What a replacement is written with: a hidden file of that name is a
// replacement that never took its target's place. Temporary lets the
// system keep it from the disk until it is flushed, where the file system
// keeps that attribute at all.
constexpr char kTemporaryPrefix[] = "tsy";
constexpr DWORD kTemporaryAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY;

// What the user may have set on a file and a replacement keeps.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

}  // namespace

FileReplacement::FileReplacement(const std::string& target) : target_(target)
{
    char temporary[MAX_PATH];
    if (GetTempFileNameA(folderOf(target).c_str(), kTemporaryPrefix, 0, temporary)) temporary_ = temporary;
}

FileReplacement::~FileReplacement()
{
    if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
}

// The target's access rules, for the file that is written in its place:
// until the replacement, the folder's would let others read what may be a
// list in plain text. Nothing when there is no target (or it says nothing).
std::vector<uint8_t> securityOf(const std::string& path)
{
    constexpr SECURITY_INFORMATION kWhat = DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    GetFileSecurityA(path.c_str(), kWhat, nullptr, 0, &needed);
    std::vector<uint8_t> descriptor(needed);
    if (needed == 0 || !GetFileSecurityA(path.c_str(), kWhat, descriptor.data(), needed, &needed)) return {};
    return descriptor;
}

bool FileReplacement::write(std::initializer_list<std::string_view> pieces)
{
    if (temporary_.empty()) return false;
    std::vector<uint8_t> security = securityOf(target_);
    if (!security.empty()) SetFileSecurityA(temporary_.c_str(), DACL_SECURITY_INFORMATION, security.data());
    SetFileAttributesA(temporary_.c_str(), kTemporaryAttributes);
    // Hidden, and temporary so that the system may keep it from the disk
    // until it is flushed; a crash leaves it for the next start to remove.
    FileHandle file(
        CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, kTemporaryAttributes, nullptr));
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
    // The temporary file's own attributes go; the user's stay.
    const DWORD kept = exists ? attributes & kKeptAttributes : 0;
    const DWORD now = GetFileAttributesA(target_.c_str());
    if (now != INVALID_FILE_ATTRIBUTES && (now & (kKeptAttributes | kTemporaryAttributes)) != kept) {
        SetFileAttributesA(target_.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
    }
    return true;
}

std::optional<uint64_t> fileSizeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
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

void removeLeftoverReplacements(const std::string& folder)
{
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA((folder + kTemporaryPrefix + "*.tmp").c_str(), &found));
    for (bool more = search.get() != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search.get(), &found)) {
        // One still being written is open, and stays.
        if (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) DeleteFileA((folder + found.cFileName).c_str());
    }
}

bool isReadableFile(const std::string& path)
{
    if (path.empty()) return false;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

}  // namespace tessaly
