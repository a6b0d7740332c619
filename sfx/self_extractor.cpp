#include "sfx/self_extractor.h"

#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_replacement.h"
#include "platform/own_resource.h"
#include "resources/corvale_ids.h"
#include "resources/peekstub_ids.h"
#include "formats/string_block.h"
#include "formats/bitmap_file.h"
#include "formats/bitmap_format.h"
#include "platform/text_codec.h"

namespace tessaly {

namespace {

constexpr WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

// The picture as a packed DIB: the bitmap file's information header and rows.
std::string packedDibOf(HBITMAP image)
{
    ImageRows rows;
    if (!imageRows(image, rows)) return {};
    const auto header = bitmapFileHeader(rows.width, rows.height);
    std::string dib(header.begin() + (kBitmapHeaderSize - kPackedDibHeaderSize), header.end());
    dib.append(reinterpret_cast<const char*>(rows.rows), bitmapPixelBytes(rows.width, rows.height));
    return dib;
}

// A resource update that is thrown away unless it is committed.
class ResourceUpdate {
public:
    explicit ResourceUpdate(const std::u16string& path)
        : handle_(BeginUpdateResourceW(reinterpret_cast<const wchar_t*>(path.c_str()), FALSE))
    {
    }
    ResourceUpdate(const ResourceUpdate&) = delete;
    ResourceUpdate& operator=(const ResourceUpdate&) = delete;
    ~ResourceUpdate()
    {
        if (handle_) EndUpdateResourceW(handle_, TRUE);
    }

    explicit operator bool() const { return handle_ != nullptr; }
    // `type` is one of the platform's numbered types (RT_BITMAP, RT_STRING),
    // the same number whichever character set names it.
    bool replace(LPCSTR type, int id, std::string_view bytes)
    {
        return UpdateResourceW(handle_, reinterpret_cast<LPCWSTR>(type), MAKEINTRESOURCEW(id), kNeutral,
                               const_cast<char*>(bytes.data()), static_cast<DWORD>(bytes.size())) != FALSE;
    }
    bool commit() { return EndUpdateResourceW(std::exchange(handle_, nullptr), FALSE) != FALSE; }

private:
    HANDLE handle_;
};

std::string promptBlock(const SelfExtractorContent& content)
{
    std::vector<std::u16string> texts(IDS_SPOTLIGHT + 1);
    texts[IDS_PROMPT] = utf16From(TextEncoding::Ansi, content.prompt);
    texts[IDS_OK] = utf16From(TextEncoding::Ansi, content.ok);
    texts[IDS_CANCEL] = utf16From(TextEncoding::Ansi, content.cancel);
    texts[IDS_WAIT] = utf16From(TextEncoding::Ansi, content.wait);
    texts[IDS_SPOTLIGHT] = spotlightString(content.spotlightRadius, content.spotlightOn);
    return stringBlock(texts);
}

std::string guardedBlock(const SelfExtractorContent& content)
{
    std::vector<std::u16string> texts(IDS_WRONG_PASSWORD % kStringsPerBlock + 1);
    texts.back() = utf16From(TextEncoding::Ansi, content.wrongPassword);
    return stringBlock(texts);
}

SelfExtractorResult fillResources(const std::u16string& path, HBITMAP encryptedImage,
                                  const SelfExtractorContent& content, const std::atomic<bool>* cancelled)
{
    const std::string dib = packedDibOf(encryptedImage);
    if (dib.empty()) return SelfExtractorResult::Failed;
    ResourceUpdate update(path);
    if (!update || !update.replace(RT_BITMAP, IDB_ENCRYPTED_IMAGE, dib) ||
        !update.replace(RT_STRING, IDS_PROMPT_BLOCK, promptBlock(content))) {
        return SelfExtractorResult::Failed;
    }
    if (!content.guardedHeader.empty() && (!update.replace(RT_RCDATA, IDR_GUARDED_HEADER, content.guardedHeader) ||
                                           !update.replace(RT_STRING, IDS_GUARDED_BLOCK, guardedBlock(content)))) {
        return SelfExtractorResult::Failed;
    }
    if (cancelled && cancelled->load()) return SelfExtractorResult::Cancelled;
    return update.commit() ? SelfExtractorResult::Built : SelfExtractorResult::Failed;
}

}  // namespace

SelfExtractorResult buildSelfExtractor(HBITMAP encryptedImage, const SelfExtractorContent& content,
                                       const std::atomic<bool>* cancelled)
{
    const std::string_view stub = ownResource(MAKEINTRESOURCEA(RT_STORED_STUB), MAKEINTRESOURCEA(IDR_STORED_STUB));
    if (stub.empty()) return SelfExtractorResult::Failed;
    // Built beside the target and put in its place only when whole: a file
    // that was there stays as it was after a failure or a Cancel.
    FileReplacement replacement(content.exePath);
    if (!replacement.write({stub})) return SelfExtractorResult::CannotCreate;
    if (cancelled && cancelled->load()) return SelfExtractorResult::Cancelled;
    const SelfExtractorResult result = fillResources(utf16From(TextEncoding::Ansi, replacement.temporaryPath()),
                                                     encryptedImage, content, cancelled);
    if (result != SelfExtractorResult::Built) return result;
    if (cancelled && cancelled->load()) return SelfExtractorResult::Cancelled;
    return replacement.commit() ? SelfExtractorResult::Built : SelfExtractorResult::CannotCreate;
}

}  // namespace tessaly
