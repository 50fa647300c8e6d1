#pragma once
// The cipher: ten small letters stand for the ten digits, and
// Traducir turns a text into code or code back into text.

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvenor {

// Direction of translation. Only zero against non-zero is tested: every
// non-zero value translates as HaciaNormal.
inline constexpr std::int32_t HaciaClave = 0;   // plain text to code
inline constexpr std::int32_t HaciaNormal = 1;  // code to plain text

// One pair of the code table: a small ASCII letter and an ASCII digit.
struct ParClave {
    char16_t letra;
    char16_t digito;
};

// The code table, in the order in which the pairs are tried.
inline constexpr ParClave TablaClave[] = {
    {u'm', u'1'}, {u'u', u'2'}, {u'r', u'3'}, {u'c', u'4'}, {u'i', u'5'},
    {u'e', u'6'}, {u'l', u'7'}, {u'a', u'8'}, {u'g', u'9'}, {u'o', u'0'},
};

// Translates the text in the given direction. The result is exactly as long
// as the text: each character yields one character. Towards code, both cases
// of a table letter (and U+0130, whose lower case is i) become its digit;
// back from code, each digit becomes its small letter. Every other character
// is kept as it is. Texts of any length translate (no 16-bit limit).
std::u16string Traducir(std::u16string_view texto, std::int32_t direccion);

// The same into a result kept by the caller, whose storage is reused when it
// is already as long as the text (translating many texts of one length).
void Traducir(std::u16string_view texto, std::int32_t direccion, std::u16string& resultado);

}  // namespace kalvenor
