#include "image/image_cipher.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "cipher/password_key.h"
#include "platform/text_codec.h"
#include "cipher/rijndael_cipher.h"
#include "platform/secure_wipe.h"
#include "image/pixel_stream_cipher.h"
#include "formats/bitmap_file.h"
#include "formats/bitmap_format.h"
#include "platform/win32_handles.h"

namespace tessaly {

namespace {

HBITMAP transformImage(HBITMAP source, const CipherJob& job, ImageCipherReport& report, CipherDirection direction)
{
    // Each stage begins with its status text; a cancel taken meanwhile ends the run there.
    auto beginStage = [&](const char* key) {
        if (report.status) report.status(key);
        return !(report.cancelled && report.cancelled->load());
    };
    if (!beginStage("loading_image")) return nullptr;
    ImageRows in;
    if (!imageRows(source, in)) return nullptr;
    ImageRows out;
    BitmapHandle result(createImage(in.width, in.height, &out));
    if (!result) {
        report.outOfMemory = true;
        return nullptr;
    }

    // A run that ends early leaves no deciphered pixels in freed memory.
    auto discard = [&] {
        secureWipe(out.rows, bitmapPixelBytes(out.width, out.height));
        return nullptr;
    };
    if (!beginStage(direction == CipherDirection::Encrypt ? "encrypting" : "decrypting")) return nullptr;
    // The picture is keyed with the password's code-page bytes, as pictures
    // have always been; the dialogs take no password the code page lacks.
    RijndaelCipher cipher;
    std::string legacy;
    const bool keyed = codePagePassword(job.password, legacy) && keyWithPassword(cipher, legacy);
    wipeString(legacy);
    if (!keyed) return nullptr;
    switch (cipherPixelStream(cipher, direction, in.rows, out.rows, in.width, in.height, report.progress)) {
    case PixelCipherResult::Done:
        break;
    case PixelCipherResult::OutOfMemory:
        report.outOfMemory = true;
        return discard();
    case PixelCipherResult::Stopped:
        return discard();
    }

    if (!beginStage("saving_image")) return discard();
    return result.release();
}

}  // namespace

HBITMAP encryptImage(HBITMAP source, const CipherJob& job, ImageCipherReport& report)
{
    return transformImage(source, job, report, CipherDirection::Encrypt);
}

HBITMAP decryptImage(HBITMAP source, const CipherJob& job, ImageCipherReport& report)
{
    return transformImage(source, job, report, CipherDirection::Decrypt);
}

}  // namespace tessaly
