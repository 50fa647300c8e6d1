#pragma once
// Windows' wide strings and the program's 16-bit text are the same
// characters; these convert between the two types.

#include <string>
#include <string_view>

namespace kalvenor::forms {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are 16-bit");

inline std::u16string TextFromWide(std::wstring_view ancho) { return {ancho.begin(), ancho.end()}; }
inline std::wstring WideFromText(std::u16string_view texto) { return {texto.begin(), texto.end()}; }

}  // namespace kalvenor::forms
