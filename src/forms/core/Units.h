#pragma once
// Every conversion between twips, the unit of designs and window geometry,
// and pixels, so that a size and a position turned into pixels round alike.
// Portable, except the conversions at the screen's resolution, which the
// Win32 forms layer defines (Screen.cpp).

#include <cstdint>

namespace kalvenor::forms {

inline constexpr int kTwipsPerInch = 1440;
// A point is 20 twips: font sizes go through the same conversion.
inline constexpr double kTwipsPerPoint = 20.0;
// The resolution assumed when none is known (15 twips per pixel).
inline constexpr int kStandardDpi = 96;

// twips * dpi / 1440 to the nearest whole pixel, halves away from zero (the
// MulDiv rule); beyond the range of int it saturates, and NaN gives 0.
int PixelsFromTwips(double twips, int dpi);

// pixels * 1440 / dpi, not rounded: PixelsFromTwips gives the same pixels
// back, and whole pixels stay exact in twips at 96, 120, 144 and 192 dpi.
float TwipsFromPixels(std::int64_t pixels, int dpi);

// The twips of one pixel at that resolution (15 at 96 dpi, 12 at 120).
float TwipsPerPixel(int dpi);

// At the screen's resolution, horizontally and vertically (Win32 only).
int PixelsX(double twips);
int PixelsY(double twips);
float TwipsX(int pixels);
float TwipsY(int pixels);

// Two fixed ratios stand outside the conversion on purpose, whatever the
// screen's resolution:
// the thickness of a taskbar at the left or right screen edge, counted at 15
// twips per pixel (the sweep);
inline constexpr int kTwipsPerPixelSideTaskbar = 15;
// the main window's corner in pixels times 16, taken as twips: where the
// options and about windows open.
inline constexpr int kTwipsPerPixelBesideMainWindow = 16;

}  // namespace kalvenor::forms
