#include "image/list_picture_style.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "settings/settings.h"

namespace tessaly {

namespace {

int leadingInteger(const std::string& text)
{
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value > INT_MAX) return INT_MAX;
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

}  // namespace

ListPictureStyle listPictureStyle(const KeyValueTable& settings)
{
    ListPictureStyle style;
    style.face = settings.get("font");
    style.height = std::clamp(leadingInteger(settings.get("fontsize")), kSmallestFontSize, kLargestFontSize);
    style.weight = isFlagOn(settings.get("fontbold")) ? 700 : 400;
    style.text = parseColorSetting(settings.get("font_select_color")).value_or(kDefaultTextColor);
    style.background = parseColorSetting(settings.get("bk_select_color")).value_or(kDefaultBackgroundColor);
    return style;
}

}  // namespace tessaly
