#pragma once

#include <windows.h>

#include <string>

namespace tessaly {

// Dialog 121: the password of a protected list file. On OK it is read into
// `password` (its owner wipes it); false on Cancel. The field is emptied
// either way.
bool askListPassword(HWND owner, std::string& password);

}  // namespace tessaly
