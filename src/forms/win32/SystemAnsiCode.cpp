#include "forms/win32/SystemAnsiCode.h"

#include <windows.h>

#include "forms/core/Text.h"

namespace kalvenor::forms {

namespace {

constexpr char16_t SinCaracter = u'\uFFFD';
constexpr std::int16_t CodigoDeInterrogacion = '?';

}  // namespace

std::string SystemAnsiText(std::wstring_view texto) {
    if (texto.empty()) return {};
    const int longitud = static_cast<int>(texto.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, texto.data(), longitud, nullptr, 0, nullptr, nullptr);
    std::string resultado(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, texto.data(), longitud, resultado.data(), bytes, nullptr, nullptr);
    return resultado;
}

std::string SystemAnsiText(std::u16string_view texto) { return SystemAnsiText(WideFromText(texto)); }

std::wstring TextFromSystemAnsi(std::string_view texto) {
    if (texto.empty()) return {};
    const int longitud = static_cast<int>(texto.size());
    const int caracteres = MultiByteToWideChar(CP_ACP, 0, texto.data(), longitud, nullptr, 0);
    std::wstring resultado(static_cast<std::size_t>(caracteres > 0 ? caracteres : 0), L'\0');
    if (caracteres > 0) MultiByteToWideChar(CP_ACP, 0, texto.data(), longitud, resultado.data(), caracteres);
    return resultado;
}

// A code from 0 to 255 is one byte of the code page. Any other code (negative
// ones are what double-byte code pages deliver) is a lead byte, its high byte,
// and a trail byte, its low byte.
char16_t SystemAnsiChar(std::int16_t codigo) {
    const auto sinSigno = static_cast<std::uint16_t>(codigo);
    char bytes[2];
    int cuantos = 0;
    if (codigo >= 0 && codigo <= 0xFF) {
        bytes[cuantos++] = static_cast<char>(sinSigno);
    } else {
        bytes[cuantos++] = static_cast<char>(sinSigno >> 8);
        bytes[cuantos++] = static_cast<char>(sinSigno & 0xFF);
    }
    // Two bytes that are no double-byte character give two characters: the
    // first one stands for the code.
    const std::wstring caracteres = TextFromSystemAnsi(std::string_view(bytes, cuantos));
    return caracteres.empty() ? SinCaracter : static_cast<char16_t>(caracteres.front());
}

// One byte gives a code from 0 to 255; a double-byte character gives
// lead * 256 + trail as a signed 16-bit number. A character the code page
// cannot hold becomes '?': best-fit replacements (such as a for a with
// macron) are turned off, so that no character passes for another.
std::int16_t SystemAnsiCode(char16_t caracter) {
    const auto ancho = static_cast<wchar_t>(caracter);
    char bytes[2] = {};
    BOOL sustituido = FALSE;
    // A system set to UTF-8 (or UTF-7) as its ANSI code page takes neither the
    // flag nor the question: every character is representable there, and one
    // that needs more than two bytes fails and becomes '?'.
    const UINT pagina = GetACP();
    const bool unicode = pagina == CP_UTF8 || pagina == CP_UTF7;
    const int cuantos = WideCharToMultiByte(CP_ACP, unicode ? 0 : WC_NO_BEST_FIT_CHARS, &ancho, 1, bytes,
                                            static_cast<int>(sizeof bytes), nullptr, unicode ? nullptr : &sustituido);
    if (cuantos < 1 || sustituido) return CodigoDeInterrogacion;
    const auto primero = static_cast<unsigned char>(bytes[0]);
    if (cuantos == 1) return static_cast<std::int16_t>(primero);
    const auto segundo = static_cast<unsigned char>(bytes[1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(primero * 256 + segundo));
}

AnsiCodePageKind SystemAnsiCodePageKind() {
    return GetACP() == CP_UTF8 ? AnsiCodePageKind::Utf8 : AnsiCodePageKind::OneOrTwoBytes;
}

}  // namespace kalvenor::forms
