#include "settings/access_keys.h"

namespace tessaly {

namespace {

bool isKeyCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

char accessKeyOf(std::string_view caption)
{
    for (size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != '&') continue;
        if (caption[at + 1] == '&') {
            ++at;
            continue;
        }
        return isKeyCharacter(caption[at + 1]) ? lower(caption[at + 1]) : 0;
    }
    return 0;
}

std::string withFreeAccessKey(std::string_view caption, std::string_view taken)
{
    std::string text(caption);
    if (accessKeyOf(caption) || caption.find('&') != std::string_view::npos) return text;
    for (size_t at = 0; at < text.size(); ++at) {
        if (isKeyCharacter(text[at]) && taken.find(lower(text[at])) == std::string_view::npos) {
            text.insert(at, 1, '&');
            return text;
        }
    }
    return text;
}

}  // namespace tessaly
