#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "formats/sealed_headers.h"
#include "platform/secret_text.h"
#include "platform/win32_handles.h"

namespace tessaly {

// The guarded form of a picture, for a self-extracting file that resists
// guessing: the picture's pixel stream sealed with AES-256-GCM under a key
// derived from the password, put back as the pixels of a picture of the same
// size, and the header (resource 120) that holds what opening it takes.

enum class GuardResult { Done, WrongPassword, Damaged, OutOfMemory, Unavailable };

struct GuardedPicture {
    BitmapHandle sealed;  // a picture of createImage
    std::string header;
};

// Seals `plain` (a picture of createImage) under the password as typed.
[[nodiscard]] GuardResult guardPicture(HBITMAP plain, std::string_view password, GuardedPicture& guarded);

// A whole pixel stream: GCM seals and opens it in one piece. Its memory
// wipes itself when it is released or goes, as it holds the readable
// picture at one time or another.
class StreamBuffer {
public:
    // False when there is no room for `size` bytes.
    bool allocate(size_t size);
    void release() { Bytes().swap(bytes_); }
    uint8_t* get() { return bytes_.empty() ? nullptr : bytes_.data(); }
    size_t size() const { return bytes_.size(); }

private:
    using Bytes = std::vector<uint8_t, WipingAllocator<uint8_t>>;
    Bytes bytes_;
};

// The sealed pixel stream of a guarded picture, taken from its rows before
// the password is known: opening it is then the key derivation, one GCM
// pass and the readable rows.
class GuardedStream {
public:
    // Damaged when the header is not one this program reads or names another
    // size than `width` × `height`. The rows must outlive the stream.
    GuardResult read(std::string_view header, const uint8_t* sealedRows, uint32_t width, uint32_t height);
    // Opens it into `readable` (the rows of another picture of that size),
    // which is written only when it opened; the stream is then let go.
    // WrongPassword when the tag does not match: another password may be
    // tried.
    GuardResult open(std::string_view password, uint8_t* readable);

private:
    GuardedPictureHeader header_;
    std::string associated_;
    const uint8_t* sealedRows_ = nullptr;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    StreamBuffer stream_;
    bool holdsSealedBytes_ = false;
};

}  // namespace tessaly
