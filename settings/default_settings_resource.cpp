#include "settings/default_settings_resource.h"

#include <windows.h>

#include "resources/corvale_ids.h"

namespace tessaly {

std::string_view defaultSettingsText()
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(RT_DEFAULT_SETTINGS), MAKEINTRESOURCEA(IDR_DEFAULT_SETTINGS),
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return {static_cast<const char*>(bytes), SizeofResource(module, found)};
}

}  // namespace tessaly
