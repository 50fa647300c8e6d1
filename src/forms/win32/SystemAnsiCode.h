#pragma once
// Conversions through the code page the system is set to (CP_ACP). The
// program has two uses for it, with two rules for a character the code page
// lacks:
//   - Profile-file text (ArchivoINI): SystemAnsiText and
//     TextFromSystemAnsi convert as the single-byte profile functions
//     themselves do, best-fit replacements included, so that the file holds
//     the same bytes whichever profile function wrote it.
//   - Key codes (the key filters): SystemAnsiCode turns best fit off, so
//     that no typed character passes for another (a with macron is not a).

#include <cstdint>
#include <string>
#include <string_view>

#include "forms/core/AnsiCode.h"

namespace kalvenor::forms {

std::string SystemAnsiText(std::wstring_view texto);
std::string SystemAnsiText(std::u16string_view texto);
std::wstring TextFromSystemAnsi(std::string_view texto);

// The character of a key code; U+FFFD when the code page has none.
char16_t SystemAnsiChar(std::int16_t codigo);
// The key code of a typed character; a character the code page cannot hold
// becomes the code of '?'.
std::int16_t SystemAnsiCode(char16_t caracter);

// Utf8 when the system's code page is UTF-8 (65001).
AnsiCodePageKind SystemAnsiCodePageKind();

}  // namespace kalvenor::forms
