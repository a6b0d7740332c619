#pragma once

#include <windows.h>

namespace tessaly {

// Loads conf.dat (or the default settings) into the settings table, makes
// sure a language file is chosen, asking the user over `owner` when none can
// be read, and loads it into the language table. False when the user gave
// no language file: the program cannot show its texts and ends.
[[nodiscard]] bool loadConfiguration(HWND owner);

// Writes the settings table back to conf.dat; the user is told when it
// cannot be written.
void saveConfiguration(HWND owner);

}  // namespace tessaly
