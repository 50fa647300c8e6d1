#include "translation/Traduccion.h"

#include <cstddef>
#include <system_error>
#include <thread>

// How this is fast: each character goes through a branchless function of
// plain comparisons and bit masks, over a result allocated once, so that the
// compiler turns the loop into vector code (no intrinsics). The comparing is
// done on one byte per character: the characters that can match are all
// ASCII, and a byte holds twice as many characters per vector as a 16-bit
// code unit.

namespace kalvenor {
namespace {

using Octeto = std::uint8_t;
using Unidad = std::uint16_t;

// All ones when the condition holds, zero otherwise.
constexpr Octeto Mascara8(bool condicion) { return static_cast<Octeto>(0u - static_cast<unsigned>(condicion)); }
constexpr Unidad Mascara16(bool condicion) { return static_cast<Unidad>(0u - static_cast<unsigned>(condicion)); }

// The byte that stands for a character in the comparisons: the character
// itself up to 255; 255 for 256 to 32767 and 0 for 32768 and above (the code
// unit read as signed, then clamped). Neither 0 nor 255, even with bit 0x20
// set, is a table letter or digit, so a character above 255 never matches.
constexpr Octeto ByteDeComparacion(char16_t caracter) {
    const auto conSigno = static_cast<std::int16_t>(caracter);
    return static_cast<Octeto>(conSigno < 0 ? 0 : (conSigno > 255 ? 255 : conSigno));
}

// Setting bit 0x20 of an ASCII capital gives its small letter. All ten table
// letters are small ASCII letters, so "byte | 0x20 equals the letter" holds
// exactly for the letter and its capital: that is the lower-case copy of the
// algorithm, for every character whose lower case is a table letter, except
// U+0130 (capital I with dot above, lower case i), which is compared apart.
constexpr Octeto BitMinuscula = 0x20;
constexpr char16_t IMayusculaConPunto = u'\u0130';

constexpr bool TablaComparableEnUnByte() {
    for (const ParClave& par : TablaClave) {
        if (par.letra < u'a' || par.letra > u'z' || par.digito < u'0' || par.digito > u'9') {
            return false;
        }
    }
    return (u'a' & BitMinuscula) != 0 && (u'z' & BitMinuscula) != 0;
}
static_assert(TablaComparableEnUnByte(), "the byte comparison needs small ASCII letters and ASCII digits");

constexpr char16_t DigitoDe(char16_t letra) {
    for (const ParClave& par : TablaClave) {
        if (par.letra == letra) return par.digito;
    }
    return 0;
}
constexpr Unidad DigitoDeIMayusculaConPunto = DigitoDe(u'i');

// The pairs are tried in table order and the first match wins. The letters
// are all different, and so are the digits, so at most one pair matches: the
// masked pieces can be combined with OR, in any order, with the same result.
// A result byte of 0 means that nothing matched.

inline char16_t CaracterHaciaClave(char16_t caracter) {
    const Octeto minuscula = ByteDeComparacion(caracter) | BitMinuscula;
    Octeto digito = 0;
    for (const ParClave& par : TablaClave) {
        digito |= Mascara8(minuscula == static_cast<Octeto>(par.letra)) & static_cast<Octeto>(par.digito);
    }
    const Unidad pieza =
        static_cast<Unidad>(digito | (Mascara16(caracter == IMayusculaConPunto) & DigitoDeIMayusculaConPunto));
    const Unidad conservar = Mascara16(pieza == 0);
    return static_cast<char16_t>(pieza | (caracter & conservar));
}

// No character has a digit as its lower case other than the digit itself, so
// the lower-case copy changes nothing here.
inline char16_t CaracterHaciaNormal(char16_t caracter) {
    const Octeto byte = ByteDeComparacion(caracter);
    Octeto letra = 0;
    for (const ParClave& par : TablaClave) {
        letra |= Mascara8(byte == static_cast<Octeto>(par.digito)) & static_cast<Octeto>(par.letra);
    }
    const Unidad pieza = letra;
    const Unidad conservar = Mascara16(pieza == 0);
    return static_cast<char16_t>(pieza | (caracter & conservar));
}

void TraducirTramo(const char16_t* origen, char16_t* destino, std::size_t longitud, std::int32_t direccion) {
    // The direction is the same for every character: test it once.
    if (direccion == HaciaClave) {
        for (std::size_t i = 0; i < longitud; ++i) destino[i] = CaracterHaciaClave(origen[i]);
    } else {
        for (std::size_t i = 0; i < longitud; ++i) destino[i] = CaracterHaciaNormal(origen[i]);
    }
}

// Every character is translated on its own, so a very long text can be cut in
// two halves translated side by side. Below this length a second thread costs
// more than it saves.
constexpr std::size_t LongitudParaDosHilos = std::size_t{1} << 20;

}  // namespace

std::u16string Traducir(std::u16string_view texto, std::int32_t direccion) {
    std::u16string resultado;
    Traducir(texto, direccion, resultado);
    return resultado;
}

void Traducir(std::u16string_view texto, std::int32_t direccion, std::u16string& resultado) {
    resultado.resize(texto.size());
    const char16_t* const origen = texto.data();
    char16_t* const destino = resultado.data();
    const std::size_t longitud = texto.size();
    if (longitud >= LongitudParaDosHilos && std::thread::hardware_concurrency() > 1) {
        const std::size_t mitad = longitud / 2;
        try {
            std::thread segundaMitad(TraducirTramo, origen + mitad, destino + mitad, longitud - mitad, direccion);
            TraducirTramo(origen, destino, mitad, direccion);
            segundaMitad.join();
            return;
        } catch (const std::system_error&) {
            // No thread to be had: the whole text on this one.
        }
    }
    TraducirTramo(origen, destino, longitud, direccion);
}

}  // namespace kalvenor
