#include "translation/FiltroTeclas.h"

namespace kalvenor {

bool TeclaPermitida(std::int16_t KeyAscii, std::u16string_view permitidos, forms::ConversorAnsi aCaracter) {
    // The key code becomes a character before anything is decided, whatever
    // its value (negative codes included).
    const char16_t caracter = aCaracter(KeyAscii);
    const bool enElConjunto = permitidos.find(caracter) != std::u16string_view::npos;
    return KeyAscii <= 8 || enElConjunto;
}

void FiltrarTecla(std::int16_t& KeyAscii, std::u16string_view permitidos, forms::ConversorAnsi aCaracter) {
    if (!TeclaPermitida(KeyAscii, permitidos, aCaracter)) KeyAscii = 0;
}

}  // namespace kalvenor
