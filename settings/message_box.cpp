#include "settings/message_box.h"

#include <string>

#include "settings/language.h"

namespace tessaly {

int showTranslatedMessage(HWND owner, std::string_view textKey, std::string_view captionKey, UINT type)
{
    const std::string text = translate(textKey);
    const std::string caption = translate(captionKey);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

int showTranslatedMessage(HWND owner, std::string_view textKey, long long number, std::string_view captionKey,
                          UINT type)
{
    const std::string text = formatIntegers(translate(textKey), {number});
    const std::string caption = translate(captionKey);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

int showTranslatedMessage(HWND owner, std::string_view textKey, std::string_view name, std::string_view captionKey,
                          UINT type)
{
    const std::string text = formatName(translate(textKey), name);
    const std::string caption = translate(captionKey);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

}  // namespace tessaly
