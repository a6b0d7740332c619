#include "image/pixel_stream_cipher.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <vector>

#include <pthread.h>

#include "platform/secure_wipe.h"
#include "formats/pixel_stream.h"

namespace tessaly {

namespace {

// The band holds readable pixels before enciphering or after deciphering.
struct WipedBuffer {
    std::vector<uint8_t> bytes;
    ~WipedBuffer()
    {
        if (!bytes.empty()) secureWipe(bytes.data(), bytes.size());
    }
};

// The bands of one run, taken in turn by each thread that works on it.
// Bands are independent of each other: the cipher chains no block to the
// next, so any thread may take any band.
struct BandQueue {
    const RijndaelCipher& cipher;
    CipherDirection direction;
    const uint8_t* in;
    uint8_t* out;
    uint32_t width;
    uint32_t height;
    uint32_t bandRows;
    std::atomic<uint64_t> nextRow{0};
    std::atomic<uint64_t> finishedBytes{0};
    std::atomic<bool> stopped{false};
};

// Runs the next band through `buffer`; false once none is left.
bool runNextBand(BandQueue& queue, uint8_t* buffer)
{
    if (queue.stopped.load()) return false;
    const uint64_t first = queue.nextRow.fetch_add(queue.bandRows);
    if (first >= queue.height) return false;
    const RowBand rows{static_cast<uint32_t>(first),
                       static_cast<uint32_t>(std::min<uint64_t>(queue.bandRows, queue.height - first))};
    const size_t length = pixelStreamBytes(queue.width, rows.count);
    pixelStreamFromRows(queue.in, queue.width, queue.height, rows, buffer);
    if (queue.direction == CipherDirection::Encrypt) {
        queue.cipher.encryptPiece(buffer, length, pixelStreamBytes(queue.width, rows.first));
    } else {
        queue.cipher.decryptPiece(buffer, length, pixelStreamBytes(queue.width, rows.first));
    }
    rowsFromPixelStream(buffer, queue.width, queue.height, rows, queue.out);
    queue.finishedBytes.fetch_add(length);
    return true;
}

// A second thread for a large picture: the cipher and the conversions each
// run at one processor's speed, well below what memory allows.
struct Helper {
    BandQueue& queue;
    uint8_t* buffer;
    pthread_t thread{};
    bool running = false;

    static void* run(void* parameter)
    {
        auto* helper = static_cast<Helper*>(parameter);
        while (runNextBand(helper->queue, helper->buffer)) {}
        return nullptr;
    }
    // Without a thread of its own the caller does every band.
    void start() { running = pthread_create(&thread, nullptr, run, this) == 0; }
    // Joined before the bands' buffers and the queue go.
    ~Helper()
    {
        if (running) pthread_join(thread, nullptr);
    }
};

}  // namespace

PixelCipherResult cipherPixelStream(const RijndaelCipher& cipher, CipherDirection direction, const uint8_t* in,
                                    uint8_t* out, uint32_t width, uint32_t height, Progress* progress, size_t bandBytes)
{
    const uint32_t bandRows = std::min(height, rowsPerBand(width, static_cast<size_t>(cipher.blockBytes()), bandBytes));
    const uint64_t total = pixelStreamBytes(width, height);
    const bool shared = total >= kSharedPixelStreamBytes && bandRows < height;
    WipedBuffer band, helperBand;
    try {
        band.bytes.resize(pixelStreamBytes(width, bandRows));
        if (shared) helperBand.bytes.resize(band.bytes.size());
    } catch (const std::bad_alloc&) {
        return PixelCipherResult::OutOfMemory;
    }
    BandQueue queue{cipher, direction, in, out, width, height, bandRows};
    // Progress is told from this thread alone: what both threads finished.
    uint64_t reported = 0;
    const auto report = [&] {
        const uint64_t finished = queue.finishedBytes.load();
        const bool goOn = !progress || finished == reported || progress->advance(finished - reported);
        reported = finished;
        if (!goOn) queue.stopped.store(true);
        return goOn;
    };
    {
        // The helper starts first: telling the progress may wait on another thread.
        Helper helper{queue, helperBand.bytes.data()};
        if (shared) helper.start();
        if (progress) progress->start(total);
        while (runNextBand(queue, band.bytes.data()) && report()) {}
    }
    return !queue.stopped.load() && report() ? PixelCipherResult::Done : PixelCipherResult::Stopped;
}

}  // namespace tessaly
