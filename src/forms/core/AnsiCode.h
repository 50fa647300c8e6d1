#pragma once
// Key codes are characters of the system's single-byte (ANSI) code page, as a
// signed 16-bit number. Code that turns them into characters takes the
// conversion as an argument, so that it stays portable.

#include <cstdint>

namespace kalvenor::forms {

using AnsiConverter = char16_t (*)(std::int16_t codigo);

// How many bytes the code page gives a character. With one or two, a negative
// key code is a double-byte character; with UTF-8, accented letters are two
// bytes too, and their codes are negative as well.
enum class AnsiCodePageKind { OneOrTwoBytes, Utf8 };

}  // namespace kalvenor::forms
