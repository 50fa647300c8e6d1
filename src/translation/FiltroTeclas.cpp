#include "translation/FiltroTeclas.h"

namespace kalvenor {

bool TeclaPermitida(std::int16_t KeyAscii, std::u16string_view permitidos, forms::AnsiConverter aCaracter,
                    forms::AnsiCodePageKind pagina) {
    // The key code becomes a character before anything is decided, whatever
    // its value (negative codes included).
    const char16_t caracter = aCaracter(KeyAscii);
    const bool enElConjunto = permitidos.find(caracter) != std::u16string_view::npos;
    // Windows-1252 gives U+0000 to U+0008 the codes 0 to 8, and every other
    // character a code above 8 or none at all.
    if (pagina == forms::AnsiCodePageKind::Utf8) return caracter <= 8 || enElConjunto;
    return KeyAscii <= 8 || enElConjunto;
}

void FiltrarTecla(std::int16_t& KeyAscii, std::u16string_view permitidos, forms::AnsiConverter aCaracter,
                  forms::AnsiCodePageKind pagina) {
    if (!TeclaPermitida(KeyAscii, permitidos, aCaracter, pagina)) KeyAscii = 0;
}

}  // namespace kalvenor
