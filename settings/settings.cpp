#include "settings/settings.h"

#include <cstdio>
#include <cstdlib>

#include "platform/file_io.h"

namespace tessaly {

KeyValueTable& settingsTable()
{
    static KeyValueTable table;
    return table;
}

void loadSettings(KeyValueTable& table, const std::string& path, std::string_view defaultText,
                  const StoredTextCodec& codec)
{
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        if (!writeFileReplacing(path, defaultText)) return;
        if (!readWholeFile(path, bytes)) return;
    }
    parseKeyValueText(textOfFile(bytes, codec), CommentLines::Ordinary, table);
}

bool isFlagOn(std::string_view value)
{
    return value == "true";
}

bool captureAllowed(const KeyValueTable& settings)
{
    return isFlagOn(settings.get("allow_capture"));
}

std::optional<uint32_t> parseColorSetting(std::string_view text)
{
    if (text.empty() || text.front() != '#') return std::nullopt;
    std::string digits(text.substr(1));
    const char* start = digits.c_str();
    char* end = nullptr;
    // strtoul reads what "%X" reads: blanks, a sign, an optional 0x prefix.
    unsigned long value = std::strtoul(start, &end, 16);
    if (end == start) return std::nullopt;
    return static_cast<uint32_t>(value & 0xFFFFFFu);
}

std::string formatColorSetting(uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%.2X%.2X%.2X", (rgb >> 16) & 0xFFu, (rgb >> 8) & 0xFFu, rgb & 0xFFu);
    return text;
}

uint32_t rgbToColorRef(uint32_t rgb)
{
    return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

uint32_t colorRefToRgb(uint32_t colorRef)
{
    return rgbToColorRef(colorRef);
}

CustomColors& customColors()
{
    static CustomColors colors{};
    return colors;
}

namespace {

std::string customColorKey(size_t index)
{
    return "custom_color_" + std::to_string(index);
}

}  // namespace

void loadCustomColors(const KeyValueTable& table, CustomColors& colors)
{
    for (size_t i = 0; i < colors.size(); ++i) {
        colors[i] = rgbToColorRef(parseColorSetting(table.get(customColorKey(i))).value_or(0xFFFFFFu));
    }
}

void saveCustomColors(const CustomColors& colors, KeyValueTable& table)
{
    for (size_t i = 0; i < colors.size(); ++i) {
        table.set(customColorKey(i), formatColorSetting(colorRefToRgb(colors[i])));
    }
}

}  // namespace tessaly
