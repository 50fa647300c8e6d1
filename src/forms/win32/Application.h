#pragma once
// The application: its message loop, and the screen.

#include "forms/core/Ventana.h"

namespace kalvenor::forms {

class Form;

// Shows the start-up form and runs the message loop until no form is loaded.
// Returns the program's exit code. Nothing is readied at start that the main
// window does not need: the trackbar class comes with the first slider, COM
// with the first picture.
int RunApplication(Form& startup);

// The screen in twips, at the system's resolution.
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
