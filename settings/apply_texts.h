#pragma once

#include <windows.h>

namespace tessaly {

// Sets every caption of `window` from the language table, by the caption
// rows of its dialog template. A template without rows changes nothing.
void applyTexts(HWND window, int templateId);

}  // namespace tessaly
