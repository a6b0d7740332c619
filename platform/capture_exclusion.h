#pragma once

#include <windows.h>

namespace tessaly {

// Asks the system to keep `window` out of screen captures (unless captures
// are allowed): the first display affinity it accepts of those the rules
// give. A system that accepts none changes nothing, and nothing is said.
void excludeFromCapture(HWND window, bool allowCapture);

}  // namespace tessaly
