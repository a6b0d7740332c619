#pragma once

#include <string>

namespace tessaly {

// String `id` of the stub's own string table, in the ANSI code page. Read
// with the program's bounded reader rather than the platform's, which reads
// past the end of a block whose counts promise more than it holds: the
// blocks of a self-extracting file were written by whoever made the file.
// Empty for a missing text, and for every text of a damaged block.
std::string stubText(int id);

}  // namespace tessaly
