#pragma once
// The run-time's conversions between text and numbers. Portable.

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvenor::forms {

// A decimal integer with an optional minus sign: only ASCII digits, at least
// one, after an optional '-' (no blanks, no '+', no fraction, no separators;
// leading zeros are fine). Text that is no such number, the empty text
// included, raises TypeMismatch (13); a number outside the type's range,
// however many digits it has, raises Overflow (6). The range is
// [minimo, maximo], e.g. the range of the type that is to hold the number.
std::int32_t IntegerFromText(std::u16string_view texto, std::int32_t minimo, std::int32_t maximo);

// Plain decimal text: no blanks, a minus sign only for a negative number.
std::u16string TextFromNumber(std::int64_t numero);

}  // namespace kalvenor::forms
