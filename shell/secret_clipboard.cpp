#include "shell/secret_clipboard.h"

#include <cstring>

#include "platform/secure_wipe.h"
#include "platform/text_codec.h"
#include "platform/win32_handles.h"

namespace tessaly {

namespace {

// Opens the clipboard for the life of the object.
class OpenClipboardGuard {
public:
    explicit OpenClipboardGuard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    OpenClipboardGuard(const OpenClipboardGuard&) = delete;
    OpenClipboardGuard& operator=(const OpenClipboardGuard&) = delete;
    ~OpenClipboardGuard()
    {
        if (open_) CloseClipboard();
    }
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

// Global memory holding `bytes`, for the clipboard to own.
GlobalMemory globalCopy(const void* bytes, size_t size)
{
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
    void* target = memory ? GlobalLock(memory.get()) : nullptr;
    if (!target) return {};
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory.get());
    return memory;
}

// The clipboard owns the memory once it has taken it.
bool setData(UINT format, const void* bytes, size_t size)
{
    GlobalMemory memory = globalCopy(bytes, size);
    if (!memory || !SetClipboardData(format, memory.get())) return false;
    memory.release();
    return true;
}

// The formats by which the system's clipboard history and cloud clipboard
// leave content alone.
void markAsSecret()
{
    const DWORD no = 0;
    setData(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"), &no, sizeof no);
    setData(RegisterClipboardFormatA("CanIncludeInClipboardHistory"), &no, sizeof no);
    setData(RegisterClipboardFormatA("CanUploadToCloudClipboard"), &no, sizeof no);
}

}  // namespace

bool SecretClipboard::copy(HWND owner, const std::string& text)
{
    {
        // As UTF-16: other programs read CF_TEXT in the system's code page,
        // not in this program's, and would misread any other character.
        std::u16string wide = utf16From(TextEncoding::Ansi, text);
        wide.push_back(u'\0');
        OpenClipboardGuard clipboard(owner);
        const bool copied = clipboard && EmptyClipboard() &&
                            setData(CF_UNICODETEXT, wide.data(), wide.size() * sizeof(char16_t));
        secureWipe(&wide[0], wide.size() * sizeof(char16_t));
        if (!copied) return false;
        markAsSecret();
    }
    // The number the clipboard has once this copy is complete.
    holding_ = true;
    sequence_ = GetClipboardSequenceNumber();
    return true;
}

bool SecretClipboard::clearIfOurs(HWND owner)
{
    if (!holding_) return true;
    OpenClipboardGuard clipboard(owner);
    if (!clipboard) return false;
    holding_ = false;
    // Another program's copy since ours is left alone: asked while the
    // clipboard is open, so no copy can come in between.
    if (GetClipboardSequenceNumber() != sequence_) return true;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (void* bytes = GlobalLock(data)) {
            secureWipe(bytes, GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    EmptyClipboard();
    return true;
}

void SecretClipboard::clearIfOursWithin(HWND owner, DWORD patienceMs)
{
    constexpr DWORD kRetryMs = 50;
    for (DWORD waited = 0; !clearIfOurs(owner) && waited < patienceMs; waited += kRetryMs) Sleep(kRetryMs);
}

}  // namespace tessaly
