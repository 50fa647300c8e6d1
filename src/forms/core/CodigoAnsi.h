#pragma once
// Key codes are characters of the system's single-byte (ANSI) code page, as a
// signed 16-bit number. Code that turns them into characters takes the
// conversion as an argument, so that it stays portable.

#include <cstdint>

namespace kalvenor::forms {

using ConversorAnsi = char16_t (*)(std::int16_t codigo);

}  // namespace kalvenor::forms
