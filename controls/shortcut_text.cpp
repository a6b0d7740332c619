#include "controls/shortcut_text.h"

namespace tessaly {

namespace {

// Virtual-key codes, as the system numbers them.
constexpr unsigned kDelete = 0x2E;
constexpr unsigned kInsert = 0x2D;
constexpr unsigned kF1 = 0x70;
constexpr unsigned kF24 = 0x87;

std::string keyName(unsigned key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    if (key >= kF1 && key <= kF24) return "F" + std::to_string(key - kF1 + 1);
    if (key == kDelete) return "Del";
    if (key == kInsert) return "Ins";
    return {};
}

}  // namespace

std::string shortcutText(const Shortcut& shortcut)
{
    std::string name = keyName(shortcut.key);
    if (name.empty()) return {};
    std::string text;
    if (shortcut.control) text += "Ctrl+";
    if (shortcut.shift) text += "Shift+";
    if (shortcut.alt) text += "Alt+";
    return text + name;
}

std::string withShortcut(std::string_view itemText, std::string_view shortcut)
{
    std::string text(itemText.substr(0, itemText.find('\t')));
    if (!shortcut.empty()) text.append("\t").append(shortcut);
    return text;
}

}  // namespace tessaly
