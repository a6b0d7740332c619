#include "platform/capture_rules.h"

namespace tessaly {

std::vector<uint32_t> captureAffinityAttempts(bool allowCapture)
{
    if (allowCapture) return {};
    return {kAffinityExcludeFromCapture, kAffinityMonitor};
}

}  // namespace tessaly
