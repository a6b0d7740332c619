#pragma once

#include <cstdint>
#include <string>

#include "settings/key_value_table.h"

namespace tessaly {

// How the list picture is drawn, from the settings.
struct ListPictureStyle {
    std::string face;
    int height = 0;     // character height in pixels
    int weight = 400;   // 700 only when "fontbold" is exactly "true"
    uint32_t text = 0;  // 0xRRGGBB
    uint32_t background = 0;
};

// Colours that do not parse as "#" and hexadecimal digits take the colour of
// the default settings; a size is read like the C library's atoi.
ListPictureStyle listPictureStyle(const KeyValueTable& settings);

}  // namespace tessaly
