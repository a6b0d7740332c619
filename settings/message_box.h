#pragma once

#include <windows.h>

#include <string_view>

namespace tessaly {

// A message box whose text and caption are the translations of two keys.
int showTranslatedMessage(HWND owner, std::string_view textKey, std::string_view captionKey, UINT type);

// The same for a text that holds one number ("%i").
int showTranslatedMessage(HWND owner, std::string_view textKey, long long number, std::string_view captionKey,
                          UINT type);

// The same for a text that holds one name ("%s").
int showTranslatedMessage(HWND owner, std::string_view textKey, std::string_view name, std::string_view captionKey,
                          UINT type);

}  // namespace tessaly
