#pragma once

#include <string>

namespace tessaly {

// The program's folder, from the program file's full path, with a trailing
// backslash.
std::string programFolder();

// Makes the program's folder the current directory again; conf.dat and the
// default language file are opened by names relative to it.
void makeProgramFolderCurrent();

}  // namespace tessaly
