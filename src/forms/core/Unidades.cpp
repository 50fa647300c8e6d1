#include "forms/core/Unidades.h"

#include <cmath>
#include <limits>

namespace kalvenor::forms {

namespace {

int PppValido(int ppp) { return ppp > 0 ? ppp : kPppEstandar; }

}  // namespace

int PixelesDesdeTwips(double twips, int ppp) {
    const double pixeles = std::round(twips * PppValido(ppp) / kTwipsPorPulgada);
    if (std::isnan(pixeles)) return 0;
    if (pixeles <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    if (pixeles >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(pixeles);
}

float TwipsDesdePixeles(std::int64_t pixeles, int ppp) {
    return static_cast<float>(static_cast<double>(pixeles) * kTwipsPorPulgada / PppValido(ppp));
}

float TwipsPorPixel(int ppp) { return TwipsDesdePixeles(1, ppp); }

}  // namespace kalvenor::forms
