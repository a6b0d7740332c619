#pragma once

#include <cstdint>
#include <vector>

namespace tessaly {

// The display affinities to ask for, in order, to keep a window out of
// screen captures: excluded from capture where the system has that value
// (Windows 10 2004 and later), else shown black to captures. None when the
// user allows captures.
constexpr uint32_t kAffinityExcludeFromCapture = 0x11;
constexpr uint32_t kAffinityMonitor = 0x01;
std::vector<uint32_t> captureAffinityAttempts(bool allowCapture);

}  // namespace tessaly
