#include "platform/capture_exclusion.h"

#include <utility>

#include "platform/capture_rules.h"

namespace tessaly {

namespace {

DisplayAffinitySetter affinitySetter = SetWindowDisplayAffinity;

}  // namespace

void applyCapturePolicy(HWND window, bool allowCapture)
{
    for (uint32_t affinity : captureAffinityAttempts(allowCapture)) {
        if (affinitySetter(window, affinity)) return;
    }
}

DisplayAffinitySetter replaceDisplayAffinitySetter(DisplayAffinitySetter setter)
{
    return std::exchange(affinitySetter, setter);
}

}  // namespace tessaly
