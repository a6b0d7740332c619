#include "image/guarded_picture.h"

#include <memory>
#include <new>

#include "cipher/password_seal.h"
#include "formats/bitmap_file.h"
#include "formats/bitmap_format.h"
#include "formats/pixel_stream.h"
#include "formats/sealed_headers.h"
#include "platform/secure_wipe.h"

namespace tessaly {

namespace {

// The whole pixel stream at once: GCM seals it in one piece. Wiped when it
// goes, as it holds the readable picture at one time or another.
class StreamBuffer {
public:
    explicit StreamBuffer(size_t size) : bytes_(new (std::nothrow) uint8_t[size > 0 ? size : 1]), size_(size) {}
    StreamBuffer(const StreamBuffer&) = delete;
    StreamBuffer& operator=(const StreamBuffer&) = delete;
    ~StreamBuffer()
    {
        if (bytes_) secureWipe(bytes_.get(), size_);
    }
    uint8_t* get() const { return bytes_.get(); }
    size_t size() const { return size_; }

private:
    std::unique_ptr<uint8_t[]> bytes_;
    size_t size_;
};

GuardResult fromGcm(GcmResult result)
{
    switch (result) {
    case GcmResult::Done:
        return GuardResult::Done;
    case GcmResult::TagMismatch:
        return GuardResult::WrongPassword;
    case GcmResult::Unavailable:
        break;
    }
    return GuardResult::Unavailable;
}

PasswordSeal sealOf(const GuardedPictureHeader& header, const std::string& associated, std::string_view password)
{
    return {password, header.parameters.iterations, header.parameters.salt.data(), header.parameters.nonce.data(),
            associated};
}

}  // namespace

GuardResult guardPicture(HBITMAP plain, std::string_view password, GuardedPicture& guarded)
{
    ImageRows in;
    if (!imageRows(plain, in)) return GuardResult::Damaged;
    GuardedPictureHeader header;
    header.width = in.width;
    header.height = in.height;
    if (!systemRandomBytes(header.parameters.salt.data(), header.parameters.salt.size()) ||
        !systemRandomBytes(header.parameters.nonce.data(), header.parameters.nonce.size())) {
        return GuardResult::Unavailable;
    }
    StreamBuffer stream(pixelStreamBytes(in.width, in.height));
    ImageRows out;
    BitmapHandle sealed(createImage(in.width, in.height, &out));
    if (!stream.get() || !sealed) return GuardResult::OutOfMemory;
    pixelStreamFromRows(in.rows, in.width, in.height, stream.get());
    const std::string associated = guardedPictureAssociated(header);
    const GuardResult result = fromGcm(
        sealWithPassword(sealOf(header, associated, password), stream.get(), stream.size(), header.tag.data()));
    if (result != GuardResult::Done) return result;
    rowsFromPixelStream(stream.get(), out.width, out.height, out.rows);
    guarded.sealed = std::move(sealed);
    guarded.header = associated + std::string(header.tag.begin(), header.tag.end());
    return GuardResult::Done;
}

GuardResult openGuardedPicture(std::string_view resource, const uint8_t* sealedRows, uint32_t width, uint32_t height,
                               std::string_view password, uint8_t* readable)
{
    GuardedPictureHeader header;
    if (readGuardedPictureHeader(resource, header) != HeaderStatus::Read || header.width != width ||
        header.height != height) {
        return GuardResult::Damaged;
    }
    StreamBuffer stream(pixelStreamBytes(width, height));
    if (!stream.get()) return GuardResult::OutOfMemory;
    pixelStreamFromRows(sealedRows, width, height, stream.get());
    const std::string associated(resource.substr(0, kGuardedPictureAssociatedSize));
    const GuardResult result = fromGcm(
        openWithPassword(sealOf(header, associated, password), stream.get(), stream.size(), header.tag.data()));
    if (result == GuardResult::Done) rowsFromPixelStream(stream.get(), width, height, readable);
    return result;
}

}  // namespace tessaly
