#include "platform/capture_exclusion.h"

#include "platform/capture_rules.h"

namespace tessaly {

void excludeFromCapture(HWND window, bool allowCapture)
{
    for (uint32_t affinity : captureAffinityAttempts(allowCapture)) {
        if (SetWindowDisplayAffinity(window, affinity)) return;
    }
}

}  // namespace tessaly
