#pragma once
// The ways Traducir can go through a text: a portable loop, and a faster one
// for processors with AVX2, chosen at run time. Each gives the same result;
// the tests compare every way the processor has with the table.

#include <cstddef>
#include <cstdint>

namespace kalvenor::interno {

enum class Via { Portable, Avx2 };

// Whether this build and this processor can translate by the way.
bool ViaDisponible(Via via);

// The fastest way this build and this processor have.
Via MejorVia();

// Translates `longitud` characters from `origen` into `destino` by the way,
// which must be available.
void TraducirPor(Via via, const char16_t* origen, char16_t* destino, std::size_t longitud, std::int32_t direccion);

// Translates the whole blocks of 32 characters at the start of the text with
// AVX2 and returns how many characters that was. `destino` is aligned to 32
// bytes. With `sinCache` the result is written around the caches, for a
// result too large to stay in them (TraduccionAvx2.cpp).
std::size_t TraducirBloquesAvx2(const char16_t* origen, char16_t* destino, std::size_t longitud, bool haciaClave,
                                bool sinCache);

}  // namespace kalvenor::interno
