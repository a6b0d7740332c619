#pragma once

#include <cstdint>

namespace tessaly {

// Where a long run (a cipher pass, a list read row by row) reports its
// progress and learns whether to go on.
class Progress {
public:
    virtual ~Progress() = default;
    // The run covers 0 to `total` units (bytes, rows).
    virtual void start(uint64_t total) = 0;
    // `delta` more units are done; answering false stops the run.
    virtual bool advance(uint64_t delta) = 0;
};

}  // namespace tessaly
