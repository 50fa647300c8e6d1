#include "translation/Traduccion.h"

#include <cstddef>

#include "translation/TraduccionVias.h"

#if defined(KALVENOR_TRADUCCION_AVX2) && defined(_MSC_VER)
#include <intrin.h>
#endif

// How this is fast: the portable way puts each character through a
// branchless function of plain comparisons and bit masks, over a result
// allocated once, so that the compiler turns the loop into vector code (no
// intrinsics). The comparing is done on one byte per character: the
// characters that can match are all ASCII, and a byte holds twice as many
// characters per vector as a 16-bit code unit. Where the processor has AVX2,
// TraduccionAvx2.cpp translates the blocks of the text by table look-ups
// instead, fast enough to go at the speed of memory.

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

void TraducirPortable(const char16_t* origen, char16_t* destino, std::size_t longitud, std::int32_t direccion) {
    // The direction is the same for every character: test it once.
    if (direccion == HaciaClave) {
        for (std::size_t i = 0; i < longitud; ++i) destino[i] = CaracterHaciaClave(origen[i]);
    } else {
        for (std::size_t i = 0; i < longitud; ++i) destino[i] = CaracterHaciaNormal(origen[i]);
    }
}

bool ProcesadorConAvx2() {
#if !defined(KALVENOR_TRADUCCION_AVX2)
    return false;
#elif defined(_MSC_VER)
    int registros[4] = {};
    __cpuid(registros, 0);
    if (registros[0] < 7) return false;
    __cpuid(registros, 1);
    constexpr int OsXsave = 1 << 27;
    constexpr int Avx = 1 << 28;
    if ((registros[2] & (OsXsave | Avx)) != (OsXsave | Avx)) return false;
    // The system must save the 256-bit registers too.
    if ((_xgetbv(0) & 6) != 6) return false;
    __cpuidex(registros, 7, 0);
    return (registros[1] & (1 << 5)) != 0;
#else
    // Asks the system's support for the registers too.
    return __builtin_cpu_supports("avx2") != 0;
#endif
}

#if defined(KALVENOR_TRADUCCION_AVX2)
// Above this many characters the result cannot stay in the caches: it is
// written around them, which spares reading every line of it before writing it.
constexpr std::size_t LongitudSinCache = std::size_t{1} << 22;  // an 8 MiB result

void TraducirAvx2(const char16_t* origen, char16_t* destino, std::size_t longitud, std::int32_t direccion) {
    // Up to the first 32-byte boundary of the result, and the rest after the
    // last whole block, the portable way.
    const auto direccionDestino = reinterpret_cast<std::uintptr_t>(destino);
    std::size_t inicio = (32 - direccionDestino % 32) % 32 / sizeof(char16_t);
    if (direccionDestino % sizeof(char16_t) != 0 || inicio > longitud) inicio = longitud;
    TraducirPortable(origen, destino, inicio, direccion);
    const std::size_t bloques = interno::TraducirBloquesAvx2(origen + inicio, destino + inicio, longitud - inicio,
                                                             direccion == HaciaClave, longitud >= LongitudSinCache);
    const std::size_t hechos = inicio + bloques;
    TraducirPortable(origen + hechos, destino + hechos, longitud - hechos, direccion);
}
#endif

}  // namespace

namespace interno {

bool ViaDisponible(Via via) {
    static const bool conAvx2 = ProcesadorConAvx2();
    return via == Via::Portable || (via == Via::Avx2 && conAvx2);
}

Via MejorVia() { return ViaDisponible(Via::Avx2) ? Via::Avx2 : Via::Portable; }

void TraducirPor(Via via, const char16_t* origen, char16_t* destino, std::size_t longitud, std::int32_t direccion) {
#if defined(KALVENOR_TRADUCCION_AVX2)
    if (via == Via::Avx2) {
        TraducirAvx2(origen, destino, longitud, direccion);
        return;
    }
#else
    static_cast<void>(via);  // this build has the portable way only
#endif
    TraducirPortable(origen, destino, longitud, direccion);
}

}  // namespace interno

std::u16string Traducir(std::u16string_view texto, std::int32_t direccion) {
    std::u16string resultado;
    Traducir(texto, direccion, resultado);
    return resultado;
}

// One thread: at the speed of memory a second one gains nothing that lasts
// (measured against memcpy, which also uses one).
void Traducir(std::u16string_view texto, std::int32_t direccion, std::u16string& resultado) {
    resultado.resize(texto.size());
    interno::TraducirPor(interno::MejorVia(), texto.data(), resultado.data(), texto.size(), direccion);
}

}  // namespace kalvenor
