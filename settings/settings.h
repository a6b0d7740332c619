#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/stored_text_codec.h"
#include "settings/key_value_table.h"

namespace tessaly {

// conf.dat, read at start-up and written when the user leaves the program.
KeyValueTable& settingsTable();

// Reads the settings file into `table` (appending, the table is not cleared),
// in the programs' text: earlier versions wrote it in the legacy code page
// (textOfFile). A file that cannot be read is first created from
// `defaultText`; if that fails too, the table stays as it was.
void loadSettings(KeyValueTable& table, const std::string& path, std::string_view defaultText,
                  const StoredTextCodec& codec);

// A flag setting is on only when it is exactly "true".
bool isFlagOn(std::string_view value);

// "allow_capture=true" lets screen captures see the program's windows; a
// missing key keeps them out, so the default settings text need not name it.
bool captureAllowed(const KeyValueTable& settings);

// The colours of the default settings: the list's text and its background.
constexpr uint32_t kDefaultTextColor = 0xD37618;
constexpr uint32_t kDefaultBackgroundColor = 0xFFE2D5;

// A colour setting "#RRGGBB" read like "#%X": the lowest 24 bits of the
// hexadecimal number give 0xRRGGBB. Nothing when the text has no "#" and
// hexadecimal digits.
std::optional<uint32_t> parseColorSetting(std::string_view text);

// 0xRRGGBB as "#RRGGBB" with upper-case digits.
std::string formatColorSetting(uint32_t rgb);

// Between 0xRRGGBB and the platform's colour value, which keeps red in its
// lowest byte.
uint32_t rgbToColorRef(uint32_t rgb);
uint32_t colorRefToRgb(uint32_t colorRef);

// The colour chooser's 16 custom colours as platform colour values.
using CustomColors = std::array<uint32_t, 16>;
CustomColors& customColors();

// Colours that do not parse are white, the chooser's own blank slot.
void loadCustomColors(const KeyValueTable& table, CustomColors& colors);
void saveCustomColors(const CustomColors& colors, KeyValueTable& table);

}  // namespace tessaly
