#include "formats/guarded_picture.h"

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
    StreamBuffer stream;
    ImageRows out;
    BitmapHandle sealed(createImage(in.width, in.height, &out));
    if (!stream.allocate(pixelStreamBytes(in.width, in.height)) || !sealed) return GuardResult::OutOfMemory;
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

bool StreamBuffer::allocate(size_t size)
{
    release();
    try {
        bytes_.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

GuardResult GuardedStream::read(std::string_view header, const uint8_t* sealedRows, uint32_t width, uint32_t height)
{
    if (readGuardedPictureHeader(header, header_) != HeaderStatus::Read || header_.width != width ||
        header_.height != height) {
        return GuardResult::Damaged;
    }
    if (!stream_.allocate(pixelStreamBytes(width, height))) return GuardResult::OutOfMemory;
    associated_ = std::string(header.substr(0, kGuardedPictureAssociatedSize));
    sealedRows_ = sealedRows;
    width_ = width;
    height_ = height;
    pixelStreamFromRows(sealedRows, width, height, stream_.get());
    holdsSealedBytes_ = true;
    return GuardResult::Done;
}

GuardResult GuardedStream::open(std::string_view password, uint8_t* readable)
{
    if (!stream_.get()) return GuardResult::Damaged;
    // A failed check wipes the stream: it is taken from the rows again.
    if (!holdsSealedBytes_) pixelStreamFromRows(sealedRows_, width_, height_, stream_.get());
    holdsSealedBytes_ = false;
    const GuardResult result = fromGcm(
        openWithPassword(sealOf(header_, associated_, password), stream_.get(), stream_.size(), header_.tag.data()));
    if (result != GuardResult::Done) return result;
    rowsFromPixelStream(stream_.get(), width_, height_, readable);
    stream_.release();
    return result;
}

}  // namespace tessaly
