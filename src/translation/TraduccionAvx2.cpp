// Traducir's blocks with AVX2: 32 characters per step, looked up in tables of
// the code rather than compared with each pair.
//
// Only this file is compiled for AVX2, and its one function runs only when the
// processor has AVX2 (Traduccion.cpp asks first), so the program still runs on
// older processors. It must define no inline function or template that other
// files also use: the linker could keep this file's AVX2 copy for them all.
// It reads nothing but the code table's constants from Traduccion.h.

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "translation/Traduccion.h"
#include "translation/TraduccionVias.h"

namespace kalvenor::interno {
namespace {

// The characters are compared as bytes: the 16-bit code units are packed with
// unsigned saturation (0 for 32768 and above, read as negative; 255 for 256 to
// 32767), so that a character above 255 never matches, as in the portable way.
// A byte is looked up with vpshufb in a table of 16 bytes that starts at a
// base: the entry for byte - base, or 0 when byte - base is not 0 to 15
// (adding 0x70 with saturation sets the high bit, which makes vpshufb give 0).
struct Tabla16 {
    std::uint8_t byte[16];
};

constexpr std::uint8_t BaseLetrasBajas = 0x60;  // ` a b ... o
constexpr std::uint8_t BaseLetrasAltas = 0x70;  // p q ... z
constexpr std::uint8_t BaseDigitos = 0x30;      // 0 1 ... 9

constexpr Tabla16 DigitosDeLasLetras(std::uint8_t base) {
    Tabla16 tabla{};
    for (const ParClave& par : TablaClave) {
        if (par.letra >= base && par.letra < base + 16)
            tabla.byte[par.letra - base] = static_cast<std::uint8_t>(par.digito);
    }
    return tabla;
}

constexpr Tabla16 LetrasDeLosDigitos() {
    Tabla16 tabla{};
    for (const ParClave& par : TablaClave) tabla.byte[par.digito - BaseDigitos] = static_cast<std::uint8_t>(par.letra);
    return tabla;
}

constexpr bool TablasCompletas() {
    for (const ParClave& par : TablaClave) {
        if (par.letra < BaseLetrasBajas || par.letra >= BaseLetrasAltas + 16) return false;
        if (par.digito < BaseDigitos || par.digito >= BaseDigitos + 10) return false;
    }
    return true;
}
static_assert(TablasCompletas(), "every letter and digit of the code must be in one of the tables");

constexpr Tabla16 LetrasBajas = DigitosDeLasLetras(BaseLetrasBajas);
constexpr Tabla16 LetrasAltas = DigitosDeLasLetras(BaseLetrasAltas);
constexpr Tabla16 Digitos = LetrasDeLosDigitos();

// U+0130 (capital I with dot above) has i as its lower case; it is compared
// as a 16-bit unit apart.
constexpr char16_t IMayusculaConPunto = u'\u0130';
constexpr std::uint8_t DigitoDeI = LetrasBajas.byte[u'i' - BaseLetrasBajas];
static_assert(DigitoDeI != 0, "i is a letter of the code");

__m256i EnAmbasMitades(const Tabla16& tabla) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(tabla.byte)));
}

__m256i Buscar(__m256i tabla, std::uint8_t base, __m256i bytes) {
    const __m256i fueraDeTabla = _mm256_set1_epi8(0x70);
    return _mm256_shuffle_epi8(
        tabla, _mm256_adds_epu8(_mm256_sub_epi8(bytes, _mm256_set1_epi8(static_cast<char>(base))), fueraDeTabla));
}

// The piece where one was found, else the character itself.
__m256i Elegir(__m256i pieza, __m256i caracteres) {
    return _mm256_or_si256(pieza, _mm256_and_si256(caracteres, _mm256_cmpeq_epi16(pieza, _mm256_setzero_si256())));
}

// One loop for each direction and way of storing, so that each keeps only its
// own constants in registers and tests nothing but its count.
template <bool HaciaClave, bool SinCache>
void Bloques(const char16_t* origen, char16_t* destino, std::size_t hechos) {
    const __m256i letrasBajas = EnAmbasMitades(LetrasBajas);
    const __m256i letrasAltas = EnAmbasMitades(LetrasAltas);
    const __m256i digitos = EnAmbasMitades(Digitos);
    const __m256i bitMinuscula = _mm256_set1_epi8(0x20);
    const __m256i iMayusculaConPunto = _mm256_set1_epi16(static_cast<short>(IMayusculaConPunto));
    const __m256i digitoDeI = _mm256_set1_epi16(DigitoDeI);
    const __m256i cero = _mm256_setzero_si256();
    for (std::size_t i = 0; i < hechos; i += 32) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(origen + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(origen + i + 16));
        // Within each 128-bit half, a's bytes then b's: unpacking with zero
        // below gives a's characters back in order, and above b's.
        const __m256i bytes = _mm256_packus_epi16(a, b);
        __m256i piezaA;
        __m256i piezaB;
        if constexpr (HaciaClave) {
            const __m256i minusculas = _mm256_or_si256(bytes, bitMinuscula);
            const __m256i piezas = _mm256_or_si256(Buscar(letrasBajas, BaseLetrasBajas, minusculas),
                                                   Buscar(letrasAltas, BaseLetrasAltas, minusculas));
            piezaA = _mm256_or_si256(_mm256_unpacklo_epi8(piezas, cero),
                                     _mm256_and_si256(_mm256_cmpeq_epi16(a, iMayusculaConPunto), digitoDeI));
            piezaB = _mm256_or_si256(_mm256_unpackhi_epi8(piezas, cero),
                                     _mm256_and_si256(_mm256_cmpeq_epi16(b, iMayusculaConPunto), digitoDeI));
        } else {
            const __m256i piezas = Buscar(digitos, BaseDigitos, bytes);
            piezaA = _mm256_unpacklo_epi8(piezas, cero);
            piezaB = _mm256_unpackhi_epi8(piezas, cero);
        }
        __m256i* const salida = reinterpret_cast<__m256i*>(destino + i);
        if constexpr (SinCache) {
            _mm256_stream_si256(salida, Elegir(piezaA, a));
            _mm256_stream_si256(salida + 1, Elegir(piezaB, b));
        } else {
            _mm256_store_si256(salida, Elegir(piezaA, a));
            _mm256_store_si256(salida + 1, Elegir(piezaB, b));
        }
    }
    // Streamed stores are ordered with the caller's later stores.
    if constexpr (SinCache) _mm_sfence();
}

}  // namespace

std::size_t TraducirBloquesAvx2(const char16_t* origen, char16_t* destino, std::size_t longitud, bool haciaClave,
                                bool sinCache) {
    const std::size_t hechos = longitud - longitud % 32;
    if (haciaClave) {
        sinCache ? Bloques<true, true>(origen, destino, hechos) : Bloques<true, false>(origen, destino, hechos);
    } else {
        sinCache ? Bloques<false, true>(origen, destino, hechos) : Bloques<false, false>(origen, destino, hechos);
    }
    return hechos;
}

}  // namespace kalvenor::interno
