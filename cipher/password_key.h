#pragma once

#include <string>

#include "cipher/rijndael_cipher.h"

namespace tessaly {

// The block length of every picture cipher in both programs.
constexpr int kPictureBlockBytes = 32;

// Keys the cipher with a password for 32-byte blocks, from a private copy
// that is wiped straight after. False for a password too short to give a
// key; the dialogs never pass one.
[[nodiscard]] bool keyWithPassword(RijndaelCipher& cipher, const std::string& password);

}  // namespace tessaly
