#pragma once
// Key codes and characters through the code page the system is set to (CP_ACP).

#include <cstdint>

namespace kalvenor::forms {

// The character of a key code; U+FFFD when the code page has none.
char16_t CaracterAnsiDelSistema(std::int16_t codigo);
// The key code of a typed character; a character the code page cannot hold
// becomes the code of '?'.
std::int16_t CodigoAnsiDelSistema(char16_t caracter);

}  // namespace kalvenor::forms
