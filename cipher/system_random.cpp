#include "cipher/system_random.h"

#include <windows.h>

#include <string>

namespace tessaly {

namespace {

constexpr ULONG kUseSystemPreferredGenerator = 0x00000002;  // BCRYPT_USE_SYSTEM_PREFERRED_RNG
using GenRandom = LONG(WINAPI*)(void* algorithm, unsigned char* buffer, ULONG count, ULONG flags);

// Windows 7 without its 2011 loader update refuses the search flag: there
// the library is named by its full path in the system folder instead.
HMODULE loadSystemLibrary(const wchar_t* name)
{
    if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

GenRandom generator()
{
    // Loaded once and kept for the program's life.
    static const GenRandom found = [] {
        HMODULE bcrypt = loadSystemLibrary(L"bcrypt.dll");
        const FARPROC call = bcrypt ? GetProcAddress(bcrypt, "BCryptGenRandom") : nullptr;
        return reinterpret_cast<GenRandom>(reinterpret_cast<void*>(call));
    }();
    return found;
}

}  // namespace

bool systemRandomBytes(void* bytes, size_t count)
{
    const GenRandom generate = generator();
    auto* out = static_cast<unsigned char*>(bytes);
    while (generate && count > 0) {
        const auto chunk = static_cast<ULONG>(count < 0x10000000 ? count : 0x10000000);
        if (generate(nullptr, out, chunk, kUseSystemPreferredGenerator) != 0) return false;
        out += chunk;
        count -= chunk;
    }
    return generate != nullptr;
}

}  // namespace tessaly
