#include "platform/file_io.h"

#include <windows.h>

#include <algorithm>
#include <new>

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

}  // namespace

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
        if (!ReadFile(file.get(), &result[done], chunk, &read, nullptr)) return false;
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

bool writeFileReplacing(const std::string& path, std::initializer_list<std::string_view> pieces)
{
    char tempPath[MAX_PATH];
    if (!GetTempFileNameA(folderOf(path).c_str(), "tsy", 0, tempPath)) return false;
    bool ok;
    {
        FileHandle file(
            CreateFileA(tempPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ok = static_cast<bool>(file);
        for (std::string_view piece : pieces) ok = ok && writeAll(file.get(), piece);
        ok = ok && FlushFileBuffers(file.get());
        ok = file.close() && ok;
    }
    if (ok && MoveFileExA(tempPath, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(tempPath);
    return false;
}

bool isReadableFile(const std::string& path)
{
    if (path.empty()) return false;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

}  // namespace tessaly
