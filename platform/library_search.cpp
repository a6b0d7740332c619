#include "platform/library_search.h"

#include <windows.h>

namespace tessaly {

void restrictLibrarySearch()
{
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    // kernel32 is loaded into every process already: no search happens here.
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesCall>(reinterpret_cast<void*>(found));
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    SetDllDirectoryW(L"");
}

}  // namespace tessaly
