#pragma once

#include <cstdint>
#include <string>

#include "settings/key_value_table.h"

namespace tessaly {

// The font sizes Options offers; the picture is drawn at one of them.
constexpr int kSmallestFontSize = 8;
constexpr int kLargestFontSize = 16;

// How the list picture is drawn, from the settings.
struct ListPictureStyle {
    std::string face;
    int height = 0;     // character height in pixels
    int weight = 400;   // 700 only when "fontbold" is exactly "true"
    uint32_t text = 0;  // 0xRRGGBB
    uint32_t background = 0;
};

// Colours that do not parse as "#" and hexadecimal digits take the colour of
// the default settings; a size is read like the C library's atoi and held to
// the sizes Options offers, so that no stored text makes the list unreadable
// (the stored text stays as it is).
ListPictureStyle listPictureStyle(const KeyValueTable& settings);

}  // namespace tessaly
