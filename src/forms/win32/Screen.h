#pragma once
// The screen in twips, at the system's resolution.

#include "forms/core/Ventana.h"

namespace kalvenor::forms {

class Screen final : public Pantalla {
public:
    float Width() const override;
    float Height() const override;
    float TwipsPerPixelX() const;
    float TwipsPerPixelY() const override;
    RectanguloTwips WorkArea() const override;
};

const Screen& TheScreen();

// Twips to pixels of the screen and back, horizontally and vertically, at the
// system's resolution; all through the one conversion of forms/core/Unidades.h.
int PixelsX(double twips);
int PixelsY(double twips);
float TwipsX(int pixels);
float TwipsY(int pixels);

}  // namespace kalvenor::forms
