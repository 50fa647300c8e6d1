#pragma once
// The screen in twips, at the system's resolution.

#include "forms/core/Units.h"
#include "forms/core/Window.h"

namespace kalvenor::forms {

class SystemScreen final : public Screen {
public:
    float Width() const override;
    float Height() const override;
    float TwipsPerPixelX() const;
    float TwipsPerPixelY() const override;
    TwipsRect WorkArea() const override;
};

const SystemScreen& TheScreen();

// Twips to pixels of the screen and back, horizontally and vertically, at the
// system's resolution; all through the one conversion of forms/core/Units.h.
int PixelsX(double twips);
int PixelsY(double twips);
float TwipsX(int pixels);
float TwipsY(int pixels);

}  // namespace kalvenor::forms
