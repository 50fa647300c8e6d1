#include "forms/core/Units.h"

#include <cmath>
#include <limits>

namespace kalvenor::forms {

namespace {

int ValidDpi(int dpi) { return dpi > 0 ? dpi : kStandardDpi; }

}  // namespace

int PixelsFromTwips(double twips, int dpi) {
    const double pixels = std::round(twips * ValidDpi(dpi) / kTwipsPerInch);
    if (std::isnan(pixels)) return 0;
    if (pixels <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    if (pixels >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(pixels);
}

float TwipsFromPixels(std::int64_t pixels, int dpi) {
    return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / ValidDpi(dpi));
}

float TwipsPerPixel(int dpi) { return TwipsFromPixels(1, dpi); }

}  // namespace kalvenor::forms
