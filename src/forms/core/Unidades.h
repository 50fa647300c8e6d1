#pragma once
// The one conversion between twips, the unit of designs and window geometry,
// and the pixels of the screen. Every twips<->pixels conversion of the forms
// layer goes through here, so that a size and a position turned into pixels
// round alike. Portable.

#include <cstdint>

namespace kalvenor::forms {

inline constexpr int kTwipsPorPulgada = 1440;
// The resolution assumed when none is known (15 twips per pixel).
inline constexpr int kPppEstandar = 96;

// twips * ppp / 1440 to the nearest whole pixel, halves away from zero (the
// MulDiv rule); beyond the range of int it saturates, and NaN gives 0.
int PixelesDesdeTwips(double twips, int ppp);

// pixeles * 1440 / ppp, not rounded: PixelesDesdeTwips gives the same pixels
// back, and whole pixels stay exact in twips at 96, 120, 144 and 192 dpi.
float TwipsDesdePixeles(std::int64_t pixeles, int ppp);

// The twips of one pixel at that resolution (15 at 96 dpi, 12 at 120).
float TwipsPorPixel(int ppp);

}  // namespace kalvenor::forms
