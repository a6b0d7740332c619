#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// Where a translated caption goes.
enum class TextTarget {
    WindowTitle,           // the window's own title
    Control,               // child control `id`
    MenuPosition,          // top-level pop-up at position `index`
    MenuCommand,           // menu item with command `id`
    ListColumn,            // header of column `index` of list control `id`
    Tab,                   // tab `index` of tab control `id`
    TitleFromSelectedTab,  // "Tessaly - " and the selected tab's text of tab control `id`
};

struct TextRow {
    TextTarget target;
    int id;
    int index;
    const char* key;
    const char* prefix;
    const char* suffix;
};

// The caption rows of one dialog template, in the order they are applied;
// empty for a template that has none.
const std::vector<TextRow>& textRowsFor(int templateId);

// Every template that has caption rows.
std::vector<int> templatesWithTexts();

// The text a row sets: prefix, translation of the key, suffix.
std::string composeText(const TextRow& row, std::string_view translation);

// The main window's title: "Tessaly - " and the tab's caption (read back at
// most 255 bytes), then " - " and the list's file name when it has one, then
// "*" while the list has unsaved changes.
std::string mainWindowTitle(std::string_view tabCaption, std::string_view fileName = {}, bool modified = false);

}  // namespace tessaly
