#pragma once

#include <windows.h>

#include <string_view>

namespace tessaly {

// The bytes of a language-neutral resource of this program's own module, as
// the module holds them; empty when there is none.
inline std::string_view ownResource(LPCSTR type, LPCSTR name)
{
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExA(self, type, name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return bytes ? std::string_view(static_cast<const char*>(bytes), SizeofResource(self, found)) : std::string_view();
}

}  // namespace tessaly
