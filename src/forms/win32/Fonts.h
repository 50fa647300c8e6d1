#pragma once
// Fonts are created once, shared by every control that uses them, and freed
// once when the program ends.

#include <windows.h>

namespace kalvenor::forms {

struct FontDesign;

// The font of a design, or the system's message font for none.
HFONT SharedFont(const FontDesign* design);

}  // namespace kalvenor::forms
