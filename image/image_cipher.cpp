#include "image/image_cipher.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <vector>

#include "cipher/rijndael_cipher.h"
#include "image/pixel_stream.h"
#include "shell/bitmap_file.h"
#include "shell/win32_handles.h"

namespace tessaly {

namespace {

constexpr int kBlockBytes = 32;

// The stream holds the readable picture before enciphering or after
// deciphering: it is wiped on every way out.
struct WipedBuffer {
    std::vector<uint8_t> bytes;
    ~WipedBuffer()
    {
        if (!bytes.empty()) secureWipe(bytes.data(), bytes.size());
    }
};

HBITMAP transformImage(HBITMAP source, const EncryptJob& job, ImageCipherReport& report, bool encrypt)
{
    auto status = [&](const char* key) {
        if (report.status) report.status(key);
    };
    status("loading_image");
    ImageRows in;
    if (!imageRows(source, in)) return nullptr;

    WipedBuffer buffer;
    std::vector<uint8_t>& stream = buffer.bytes;
    ImageRows out;
    BitmapHandle result;
    try {
        stream.resize(pixelStreamBytes(in.width, in.height));
    } catch (const std::bad_alloc&) {
        report.outOfMemory = true;
        return nullptr;
    }
    pixelStreamFromRows(in.rows, in.width, in.height, stream.data());

    status(encrypt ? "encrypting" : "decrypting");
    {
        // The key is made from a private copy, wiped straight after.
        std::string key(std::max<size_t>(job.password.size() + 1, 64), '\0');
        std::copy(job.password.begin(), job.password.end(), key.begin());
        RijndaelCipher cipher;
        try {
            cipher.setKey(std::string_view(key.data(), job.password.size()), kBlockBytes);
        } catch (const std::invalid_argument&) {
            // A password too short to give a key; the dialogs never pass one.
            secureWipe(&key[0], key.size());
            return nullptr;
        }
        secureWipe(&key[0], key.size());
        const size_t done = encrypt ? cipher.encryptBuffer(stream.data(), stream.size(), report.progress)
                                    : cipher.decryptBuffer(stream.data(), stream.size(), report.progress);
        if (done < stream.size()) return nullptr;
    }

    status("saving_image");
    result.reset(createImage(in.width, in.height, &out));
    if (!result) {
        report.outOfMemory = true;
        return nullptr;
    }
    rowsFromPixelStream(stream.data(), in.width, in.height, out.rows);
    return result.release();
}

}  // namespace

HBITMAP encryptImage(HBITMAP source, const EncryptJob& job, ImageCipherReport& report)
{
    return transformImage(source, job, report, true);
}

HBITMAP decryptImage(HBITMAP source, const EncryptJob& job, ImageCipherReport& report)
{
    return transformImage(source, job, report, false);
}

}  // namespace tessaly
