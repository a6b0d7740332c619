#include "platform/program_folder.h"

#include <windows.h>

#include "platform/file_paths.h"

namespace tessaly {

std::string programFolder()
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return folderWithBackslash(std::string(path, length));
}

void makeProgramFolderCurrent()
{
    std::string folder = programFolder();
    if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
}

}  // namespace tessaly
