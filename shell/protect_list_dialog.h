#pragma once

#include <windows.h>

#include <string>

namespace tessaly {

// Dialog 120: the protected list's passphrase, typed twice, at least 8
// characters. On OK it is read into `password` (its owner wipes it); false
// on Cancel. The fields are emptied either way.
bool askNewListPassword(HWND owner, std::string& password);

}  // namespace tessaly
