#include "settings/access_keys.h"

#include "platform/utf8_text.h"

namespace tessaly {

char32_t accessKeyOf(std::string_view caption)
{
    const bool utf8 = isValidUtf8(caption);
    for (size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != '&') continue;
        if (caption[at + 1] == '&') {
            ++at;
            continue;
        }
        size_t next = at + 1;
        const char32_t key = characterAt(caption, next, utf8);
        return isAlphanumeric(key) ? smallLetter(key) : 0;
    }
    return 0;
}

std::string withFreeAccessKey(std::string_view caption, std::u32string_view taken)
{
    std::string text(caption);
    if (accessKeyOf(caption) || caption.find('&') != std::string_view::npos) return text;
    const bool utf8 = isValidUtf8(caption);
    for (size_t at = 0; at < caption.size();) {
        const size_t starts = at;
        const char32_t c = characterAt(caption, at, utf8);
        if (isAlphanumeric(c) && taken.find(smallLetter(c)) == std::u32string_view::npos) {
            text.insert(starts, 1, '&');
            return text;
        }
    }
    return text;
}

}  // namespace tessaly
