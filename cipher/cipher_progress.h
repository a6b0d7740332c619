#pragma once

#include <cstdint>

namespace tessaly {

// Where a long cipher run reports its progress and learns whether to go on.
class CipherProgress {
public:
    virtual ~CipherProgress() = default;
    // The run covers 0 to `total` bytes.
    virtual void start(uint64_t total) = 0;
    // `delta` more bytes are done; answering false stops the run.
    virtual bool advance(uint64_t delta) = 0;
};

}  // namespace tessaly
