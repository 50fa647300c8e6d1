#pragma once
// Key codes are characters of the system's single-byte (ANSI) code page, as a
// signed 16-bit number. These turn them into 16-bit characters and back.

#include <cstdint>

namespace kalvenor::forms {

using ConversorAnsi = char16_t (*)(std::int16_t codigo);

// Windows-1252, the Western code page, independent of the machine: the
// portable core and its tests use it.
char16_t CaracterWindows1252(std::int16_t codigo);

#ifdef _WIN32
// Through the code page the system is set to (CP_ACP).
char16_t CaracterAnsiDelSistema(std::int16_t codigo);
// The key code of a typed character; a character the code page cannot hold
// becomes the code of '?'.
std::int16_t CodigoAnsiDelSistema(char16_t caracter);
#endif

}  // namespace kalvenor::forms
