#pragma once

#include <windows.h>

#include <string>

namespace tessaly {

// Sets every caption of `window` from the language table, by the caption
// rows of its dialog template, and gives each label that comes just before
// its field a free access key. A template without rows changes nothing.
void applyTexts(HWND window, int templateId);

// The caption of tab `index` of a tab control (at most 255 bytes).
std::string tabCaption(HWND tab, int index);

}  // namespace tessaly
