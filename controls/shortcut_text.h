#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// A key of an accelerator table: its virtual-key code and modifiers.
struct Shortcut {
    unsigned key = 0;
    bool control = false;
    bool shift = false;
    bool alt = false;
};

// How a menu shows a shortcut: "Ctrl+Shift+S", "F3", "Del". Empty for a key
// it has no name for.
std::string shortcutText(const Shortcut& shortcut);

// A menu item's text with its shortcut part (after a tab) replaced by
// `shortcut`, or removed when that is empty.
std::string withShortcut(std::string_view itemText, std::string_view shortcut);

}  // namespace tessaly
